// The kit list box's selection and places (item index, selected items, top index, the item at a
// point and an item's rectangle) and the user's clicks and keys.
#include "kit/KitListBox.h"
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QWheelEvent>
#include "platform/messages/Application.h"
#include "platform/forms/HandOn.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/ListSelection.h"
#include "platform/forms/QtRect.h"
#include "platform/forms/QtText.h"

// ---- selection ----

int TKitCustomListBox::ItemIndex() const
{
    return ListItemIndex(FList, FMultiSelect);
}

void TKitCustomListBox::SetItemIndex(int index)
{
    if (index == ItemIndex())
        return;
    QSignalBlocker block(FList);
    SetListItemIndex(FList, index, FMultiSelect);
}

int TKitCustomListBox::SelCount() const
{
    // As the system list box says: a single-selection list has no selection count.
    return FMultiSelect ? static_cast<int>(FList->selectedItems().size()) : -1;
}

bool TKitCustomListBox::Selected(int index) const
{
    CheckIndex(index);
    return FList->item(index)->isSelected();
}

void TKitCustomListBox::SetSelected(int index, bool selected)
{
    CheckIndex(index);
    SetListItemSelected(FList, index, selected, FMultiSelect);
}

int TKitCustomListBox::TopIndex() const
{
    return ListTopIndex(FList);
}

void TKitCustomListBox::SetTopIndex(int index)
{
    if (index != TopIndex() && index >= 0 && index < FList->count())
        FList->scrollToItem(FList->item(index), QAbstractItemView::PositionAtTop);
}

int TKitCustomListBox::ItemAtPos(TPoint pos, bool existing) const
{
    if (!FList->viewport()->rect().contains(QPoint(pos.X, pos.Y)))
        return -1;
    QModelIndex index = FList->indexAt(QPoint(pos.X, pos.Y));
    if (index.isValid())
        return index.row();
    return existing ? -1 : FList->count();
}

TRect TKitCustomListBox::ItemRect(int index) const
{
    int count = FList->count();
    if (index == 0 && count == 0)
        return Rect(0, 0, FList->viewport()->width(), const_cast<TKitCustomListBox*>(this)->RowHeight(0));
    if (index >= 0 && index < count)
        return ToTRect(FList->visualItemRect(FList->item(index)));
    if (index == count) {
        TRect last = ItemRect(count - 1);
        int height = last.Height();
        return Rect(last.Left, last.Top + height, last.Right, last.Bottom + height);
    }
    return TRect();
}

// ---- clicks and keys ----

// The system list box reports a selection by mouse when the button goes down, after the item
// is selected; clicking the selected item again reports it again.
void TKitCustomListBox::after_mouse_event(QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return;
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint pos = mouse->position().toPoint();
    if (mouse->button() == Qt::LeftButton && FList->indexAt(pos).isValid())
        Click();
    TShiftState shift = ShiftStateOf(mouse->modifiers());
    mouse_down(mouse->button() == Qt::LeftButton ? mbLeft : mouse->button() == Qt::RightButton ? mbRight : mbMiddle,
               shift, pos.x(), pos.y());
}

void TKitCustomListBox::mouse_down(TMouseButton, TShiftState, int, int) {}

bool TKitCustomListBox::key_press(char)
{
    return false;
}

// Qt would select the item under the pointer on a right press; the system list box does not.
bool TKitCustomListBox::HandleRightPress(QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::RightButton)
        return false;
    QPoint pos = mouse->position().toPoint();
    TShiftState shift = ShiftStateOf(mouse->modifiers());
    shift << ssRight;
    if (OnMouseDown)
        Dispatch([&] { OnMouseDown(this, mbRight, shift, pos.x(), pos.y()); });
    return true;
}

bool TKitCustomListBox::HandleWheel(QEvent* event)
{
    auto* wheel = static_cast<QWheelEvent*>(event);
    int delta = wheel->angleDelta().y();
    const TMouseWheelUpDownEvent& handler = delta < 0 ? OnMouseWheelDown : OnMouseWheelUp;
    if (delta == 0 || !handler)
        return false;
    QPoint pos = wheel->position().toPoint();
    bool handled = false;
    Dispatch([&] { handler(this, ShiftStateOf(wheel->modifiers()), Point(pos.x(), pos.y()), handled); });
    return handled;
}

bool TKitCustomListBox::HandleContextPopup(QEvent* event)
{
    if (!OnContextPopup)
        return false;
    auto* menu = static_cast<QContextMenuEvent*>(event);
    TPoint pos = menu->reason() == QContextMenuEvent::Mouse ? Point(menu->pos().x(), menu->pos().y()) : Point(-1, -1);
    bool handled = false;
    Dispatch([&] { OnContextPopup(this, pos, handled); });
    return handled;
}

// A character goes to key_press first (a check list toggles on Space); the rest moves the
// selection as the list does, and a move is a click.
bool TKitCustomListBox::HandleKey(QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && DragSource() == this) {
        CancelDrag();
        return true;
    }
    QString text = key->text();
    if (text.size() == 1 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        char c = cp1252::FromUnicode(text.at(0).unicode());
        bool taken = false;
        Dispatch([&] { taken = key_press(c); });
        if (taken)
            return true;
    }
    if (HandOnListKey(FList, event))
        Dispatch([this] { Click(); });
    return true;
}

bool TKitCustomListBox::widget_event(QObject* watched, QEvent* event)
{
    if (IsHandedOn(event))
        return false;
    if (watched == FList->viewport() && (HandleDragMouse(event) || HandleRightPress(event)))
        return true;
    if (watched == FList->viewport() && event->type() == QEvent::Wheel && HandleWheel(event))
        return true;
    if (event->type() == QEvent::ContextMenu && HandleContextPopup(event))
        return true;
    if (watched == FList && event->type() == QEvent::KeyPress)
        return HandleKey(event);
    if (watched == FList && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && FGraySelection)
        FList->viewport()->update();
    return TWinControl::widget_event(watched, event);
}
