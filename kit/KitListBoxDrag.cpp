// The kit list box in drag and drop: automatic dragging from the list and the drop markers
// drawn over its items.
#include "kit/KitListBox.h"
#include <QListWidget>
#include <QMouseEvent>
#include "platform/forms/KeyCodes.h"

namespace {

TPoint GlobalOf(const QMouseEvent& event)
{
    QPoint global = event.globalPosition().toPoint();
    return Point(global.x(), global.y());
}

} // namespace

QWidget* TKitCustomListBox::DragWidget()
{
    return FList->viewport();
}

void TKitCustomListBox::ToggleDropMarker(int index)
{
    if (index < 0)
        return;
    if (!FDropMarkers.erase(index))
        FDropMarkers.insert(index);
    FList->viewport()->update();
}

// Automatic dragging: a press on an item that belongs to a multiple selection starts dragging
// the whole selection and leaves it as it is; any other press is handled first and then starts a
// drag (unless Shift or Ctrl extends a multiple selection). The drag begins once the pointer
// moves far enough; until the button comes up the list itself sees no movement.
bool TKitCustomListBox::HandleDragMouse(QEvent* event)
{
    // Every event of the list's viewport passes here; only the mouse events may be cast.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress: {
        if (mouse->button() != Qt::LeftButton || DragMode != dmAutomatic || DragSource())
            return false;
        TShiftState shift = ShiftStateOf(mouse->modifiers());
        QModelIndex index = FList->indexAt(mouse->position().toPoint());
        bool onSelected = index.isValid() && FList->item(index.row())->isSelected();
        if (FMultiSelect && (!shift.Contains(ssShift) || shift.Contains(ssCtrl)) && onSelected) {
            FSwallowRelease = true;
            BeginDrag(this, GlobalOf(*mouse), false);
            return true;
        }
        TWinControl::widget_event(FList->viewport(), event);
        if (!(FMultiSelect && (shift.Contains(ssShift) || shift.Contains(ssCtrl))))
            BeginDrag(this, GlobalOf(*mouse), false);
        return true;
    }
    case QEvent::MouseMove:
        if (DragSource() != this)
            return false;
        DragMoveTo(GlobalOf(*mouse));
        return true;
    case QEvent::MouseButtonRelease: {
        bool swallow = FSwallowRelease;
        FSwallowRelease = false;
        if (DragSource() != this)
            return swallow;
        if (Dragging()) {
            DragDropAt(GlobalOf(*mouse));
            return true;
        }
        CancelDrag();
        return swallow;
    }
    default:
        return false;
    }
}
