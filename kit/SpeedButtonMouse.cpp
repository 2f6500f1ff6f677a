// The speed button under the mouse: pressing, tracking, repeating, the drop-down menu and
// dragging from it.
#include "kit/SpeedButton.h"
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include "kit/CancelMode.h"
#include "kit/WindowRoutines.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/WinControl.h"

bool TKitSpeedButton::Inside(QPoint pos) const
{
    return pos.x() >= 0 && pos.x() < Width() && pos.y() >= 0 && pos.y() <= Height();
}

// The point the menu is aligned at: below the button or beside it, by the menu's alignment.
TPoint TKitSpeedButton::MenuPoint() const
{
    TPopupAlignment alignment = FDropDownMenu->Alignment();
    if (alignment == paCenter)
        return ClientToScreen(Point(Width() / 2, Height()));
    bool left = alignment == paLeft;
    if (FMenuPosition == dmpBottom)
        return ClientToScreen(Point(left ? -1 : Width() + 1, Height()));
    return ClientToScreen(Point(left ? Width() : -1, -1));
}

void TKitSpeedButton::PopupDropDownMenu()
{
    if (!FDropDownMenu)
        return;
    SendCancelMode(this);
    FMenuTracking = true;
    FDropDownMenu->SetPopupComponent(this);
    // A press on the button closes the open menu, and the window system then hands that press
    // on to the button; it must not open the menu again. Anything queued behind it has run
    // by the time the next turn of the loop clears the mark.
    QObject::connect(
        FDropDownMenu->Items()->SubMenu(), &QMenu::aboutToHide, Widget(),
        [this] {
            FPressClosedMenu = true;
            QTimer::singleShot(0, Widget(), [this] { FPressClosedMenu = false; });
        },
        Qt::SingleShotConnection);
    TPoint at = MenuPoint();
    FDropDownMenu->Popup(at.X, at.Y);
    FMenuTracking = false;
}

void TKitSpeedButton::mouse_press(const QMouseEvent& event)
{
    if (FMenuTracking || event.button() != Qt::LeftButton || !Enabled())
        return;
    FMouseInControl = true;
    if (!(FDown && FGroupIndex != 0)) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
    if (FDropDownMenu && FDropDownMenu->AutoPopup()) {
        PopupDropDownMenu();
        // The menu takes the press; for the button it ends as a release would.
        FDragging = false;
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
        return;
    }
    if (FAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = std::make_unique<TTimer>(nullptr);
            FRepeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
        }
        FRepeatTimer->SetEnabled(false);
        FRepeatTimer->SetInterval(FInitPause);
        FRepeatTimer->SetEnabled(true);
    }
}

void TKitSpeedButton::mouse_move(const QMouseEvent& event)
{
    if (!FDragging)
        return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (Inside(event.position().toPoint()))
        state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TKitSpeedButton::mouse_release(const QMouseEvent& event)
{
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    if (!FDragging || event.button() != Qt::LeftButton)
        return;
    FDragging = false;
    bool inside = Inside(event.position().toPoint());
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = false;
        if (inside)
            Repaint();
        else
            Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            FState = bsExclusive;
        Repaint();
    } else if (FDown) {
        FState = bsExclusive;
        Invalidate();
    }
    if (inside && !FMenuTracking)
        Click();
    UpdateTracking();
}

void TKitSpeedButton::RepeatTick()
{
    FRepeatTimer->SetInterval(FRepeatInterval);
    if (FState == bsDown && FDragging && Widget() && Widget()->underMouse())
        Dispatch([this] { Click(); });
}

void TKitSpeedButton::Click()
{
    if (TForm* form = TForm::FormOf(Widget()))
        if (FModalResult != mrNone)
            form->SetModalResult(FModalResult);
    if (FAction && !OnClick)
        FAction->Execute();
    else
        TControl::Click();
}

void TKitSpeedButton::UpdateTracking()
{
    bool over = Enabled() && Widget() && Widget()->underMouse() && IsThreadWindowActive();
    if (over == FMouseInControl)
        return;
    if (over)
        MouseEnter();
    else if (!FDragging)
        MouseLeave();
}

void TKitSpeedButton::MouseEnter()
{
    FMouseInControl = true;
    if (FFlat)
        Invalidate();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TKitSpeedButton::MouseLeave()
{
    FMouseInControl = false;
    if (FFlat)
        Invalidate();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool TKitSpeedButton::HandleDragMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint point = mouse->globalPosition().toPoint();
    TPoint global = Point(point.x(), point.y());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (DragMode != dmAutomatic || mouse->button() != Qt::LeftButton || !Enabled() || DragSource())
            return false;
        BeginDrag(this, global, false);
        return true;
    case QEvent::MouseMove:
        if (DragSource() != this)
            return false;
        DragMoveTo(global);
        return true;
    case QEvent::MouseButtonRelease:
        if (DragSource() != this)
            return false;
        if (Dragging())
            DragDropAt(global);
        else
            CancelDrag();
        return true;
    default:
        return false;
    }
}

bool TKitSpeedButton::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            if (HandleDragMouse(event))
                return true;
            break;
        default:
            break;
        }
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (FPressClosedMenu && mouse->button() == Qt::LeftButton && Inside(mouse->position().toPoint())) {
                FPressClosedMenu = false;
                return true;
            }
            // A double click on a down button is a double click; otherwise a second press.
            if (event->type() == QEvent::MouseButtonDblClick && FDown && !FMenuTracking) {
                if (OnDblClick)
                    Dispatch([this] { OnDblClick(this); });
                return true;
            }
            Dispatch([&] { mouse_press(*mouse); });
            break;
        }
        case QEvent::MouseMove:
            Dispatch([&] { mouse_move(*static_cast<QMouseEvent*>(event)); });
            break;
        case QEvent::MouseButtonRelease:
            Dispatch([&] { mouse_release(*static_cast<QMouseEvent*>(event)); });
            break;
        case QEvent::Enter:
            if (Enabled() && IsThreadWindowActive() && !FMouseInControl)
                Dispatch([this] { MouseEnter(); });
            break;
        case QEvent::Leave:
            if (FMouseInControl && !FDragging)
                Dispatch([this] { MouseLeave(); });
            break;
        case QEvent::EnabledChange:
            FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
            Invalidate();
            break;
        default:
            break;
        }
    }
    return TControl::widget_event(watched, event);
}
