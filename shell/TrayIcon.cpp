#include "shell/TrayIcon.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/PopupMenu.h"
#include "platform/messages/Application.h"
#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <algorithm>

namespace {

constexpr std::size_t kTipLength = kNotifyTipSize - 1;

// The hint's short part (before any '|') as the tip field holds it.
AnsiString ShortHint(const AnsiString& hint)
{
    AnsiString tip = hint.substr(0, hint.find('|'));
    if (tip.size() > kTipLength)
        tip.resize(kTipLength);
    return tip;
}

} // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner)
{
    FAnimation.SetEnabled(false);
    FAnimation.OnTimer = [this](TObject*) { AnimationStep(); };
    FWindow = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    FIcon.OnChange = [this](TObject*) { RefreshIcon(); };
    FIcons.OnChange = [this](TObject*) { RefreshIcon(); };
}

TTrayIcon::~TTrayIcon()
{
    FEnabled = false;
    FIcon.OnChange = nullptr;
    FIcons.OnChange = nullptr;
    FAnimated = false;
    FAnimation.SetEnabled(false);
    HideIcon();
    DeallocateHWnd(FWindow);
}

void TTrayIcon::Loaded()
{
    FMayShow = true;
    if (FActive)
        ShowIcon();
}

void TTrayIcon::SetActive(bool active)
{
    if (active == FActive)
        return;
    FActive = active;
    FMayShow = true;
    if (active)
        ShowIcon();
    else
        HideIcon();
}

void TTrayIcon::SetHint(const AnsiString& hint)
{
    FHint = hint;
    RefreshIcon();
}

void TTrayIcon::SetAnimated(bool animated)
{
    if (animated) {
        if (FIcons.Count() == 0)
            return;
        FAnimated = true;
        FFrame = 0;
    } else {
        FAnimated = false;
        FFrame = 0;
    }
    UpdateAnimation();
    RefreshIcon();
}

void TTrayIcon::SetInterval(std::uint16_t milliseconds)
{
    FInterval = milliseconds;
    UpdateAnimation();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu)
{
    FPopupMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupMenu)
        FPopupMenu = nullptr;
}

const TIcon* TTrayIcon::CurrentIcon() const
{
    if (FAnimated && FIcons.Count() > 0)
        return FIcons.Get(std::clamp(FFrame, 0, FIcons.Count() - 1));
    return &FIcon;
}

void TTrayIcon::FillNotifyData()
{
    FData.cbSize = 88;
    FData.Wnd = FWindow;
    FData.uID = 0;
    FData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FData.uCallbackMessage = WM_TRAYICON;
    const TIcon* icon = CurrentIcon();
    FData.hIcon = icon && !icon->Empty() ? QIcon(QPixmap::fromImage(icon->Image())) : QIcon();
    FData.szTip = ShortHint(FHint);
}

void TTrayIcon::ShowIcon()
{
    FData.Wnd = FWindow;
    Shell_NotifyIcon(NIM_DELETE, FData);
    FAdded = false;
    const TIcon* icon = CurrentIcon();
    if (icon && !icon->Empty()) {
        FLeftDown = false;
        FRightDown = false;
        FillNotifyData();
        FAdded = Shell_NotifyIcon(NIM_ADD, FData);
    }
    UpdateAnimation();
}

void TTrayIcon::HideIcon()
{
    FData.Wnd = FWindow;
    Shell_NotifyIcon(NIM_DELETE, FData);
    FAdded = false;
    FLeftDown = false;
    FRightDown = false;
    UpdateAnimation();
}

void TTrayIcon::RefreshIcon()
{
    if (FIcons.Count() == 0)
        FAnimated = false;
    if (FAdded) {
        const TIcon* icon = CurrentIcon();
        if (icon && !icon->Empty()) {
            FillNotifyData();
            Shell_NotifyIcon(NIM_MODIFY, FData);
        } else {
            HideIcon();
        }
    } else if (FActive && FMayShow) {
        ShowIcon();
    }
    UpdateAnimation();
}

// The frames advance on the user-interface thread, and only while the icon is shown.
void TTrayIcon::UpdateAnimation()
{
    FAnimation.SetInterval(std::max<unsigned>(FInterval, 1));
    FAnimation.SetEnabled(FAnimated && FAdded);
}

void TTrayIcon::AnimationStep()
{
    if (!FAnimated || (Application && Application->Terminated()))
        return;
    if (++FFrame >= FIcons.Count())
        FFrame = 0;
    RefreshIcon();
}

void TTrayIcon::WndProc(TMessage& message)
{
    if (message.Msg != WM_TRAYICON || !FEnabled)
        return;
    const QPoint at = QCursor::pos();
    const int X = at.x();
    const int Y = at.y();
    const TShiftState shift = ShiftStateOf(QGuiApplication::queryKeyboardModifiers());
    switch (static_cast<UINT>(message.LParam)) {
    case WM_MOUSEMOVE: MouseMove(shift, X, Y); break;
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, shift + TShiftState{ssLeft}, X, Y);
        FLeftDown = true;
        break;
    case WM_LBUTTONUP: ButtonUp(mbLeft, FLeftDown, X, Y, shift + TShiftState{ssLeft}); break;
    case WM_LBUTTONDBLCLK:
        DblClick();
        MouseDown(mbLeft, shift + TShiftState{ssDouble}, X, Y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift + TShiftState{ssRight}, X, Y);
        FRightDown = true;
        break;
    case WM_RBUTTONUP: ButtonUp(mbRight, FRightDown, X, Y, shift + TShiftState{ssRight}); break;
    case WM_RBUTTONDBLCLK: MouseDown(mbRight, shift + TShiftState{ssDouble}, X, Y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift + TShiftState{ssMiddle}, X, Y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift + TShiftState{ssMiddle}, X, Y); break;
    case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, shift + TShiftState{ssDouble}, X, Y); break;
    default: break;
    }
}

// A release counts as a click only after a press on the icon itself.
void TTrayIcon::ButtonUp(TMouseButton button, bool& wasDown, int X, int Y, TShiftState shift)
{
    if (wasDown) {
        wasDown = false;
        Click(button, shift, X, Y);
    }
    MouseUp(button, shift, X, Y);
}

void TTrayIcon::Click(TMouseButton button, TShiftState shift, int X, int Y)
{
    if (button == mbRight && ShowPopupMenu(X, Y))
        return;
    if (OnClick)
        OnClick(this, button, shift, X, Y);
}

// A double click chooses the menu's default item, as one does on the menu itself; only without
// one is it the component's own event.
void TTrayIcon::DblClick()
{
    if (TMenuItem* item = DefaultMenuItem()) {
        item->Click();
        return;
    }
    if (OnDblClick)
        OnDblClick(this);
}

TMenuItem* TTrayIcon::DefaultMenuItem() const
{
    if (!FPopupMenu || !FActive)
        return nullptr;
    TMenuItem* items = FPopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Default() && items->Items(i)->Visible())
            return items->Items(i);
    return nullptr;
}

void TTrayIcon::MouseDown(TMouseButton button, TShiftState shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, X, Y);
}

void TTrayIcon::MouseMove(TShiftState shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, X, Y);
}

void TTrayIcon::MouseUp(TMouseButton button, TShiftState shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, X, Y);
}

bool TTrayIcon::ShowPopupMenu(int X, int Y)
{
    if (!FActive || !FPopupMenu || !FPopupMenu->AutoPopup())
        return false;
    FPopupMenu->SetPopupComponent(this);
    // Whatever window holds the mouse (a drag, a pressed button) lets go, or the menu could not
    // take it. The icon's own window is hidden, so there is nothing to bring forward.
    if (QWidget* holder = QWidget::mouseGrabber())
        holder->releaseMouse();
    if (Application)
        Application->ProcessMessages();
    if (FPopupMenu)
        FPopupMenu->Popup(X, Y);
    return true;
}
