// TTrayIcon: one icon in the desktop's notification area, kept up to date, with the mouse
// actions on it turned into component events. Where the desktop has no notification area the
// icon can't be added: TrayAvailable tells callers so, and they must then leave their windows
// on the taskbar instead of hiding them, or the program could not be reached again.
#pragma once
#include "platform/core/Component.h"
#include "platform/forms/Control.h"
#include <QWidget> // Control.h keeps a QPointer<QWidget> from a forward declaration
#include "platform/messages/Timer.h"
#include "platform/services/NotifyIcon.h"
#include "kit/IconList.h"

class TMenuItem;
class TPopupMenu;

using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// The callback message the notification area sends the tray icon's window.
constexpr UINT WM_TRAYICON = 0xB054;

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;
    // Called once the owner has set the properties: shows the icon when Active.
    void Loaded();

    bool Active() const { return FActive; }
    void SetActive(bool active);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled) { FEnabled = enabled; }
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& hint);
    TIcon* Icon() { return &FIcon; }
    void SetIcon(const TIcon& icon) { FIcon.Assign(&icon); }
    TIconList* Icons() { return &FIcons; }
    void SetIcons(const TIconList& icons) { FIcons.Assign(&icons); }
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool animated);
    std::uint16_t Interval() const { return FInterval; }
    void SetInterval(std::uint16_t milliseconds);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    // Whether the desktop has a notification area to put the icon in.
    static bool TrayAvailable() { return NotificationAreaAvailable(); }
    // Whether the icon is in the notification area now.
    bool Added() const { return FAdded; }
    HWND Handle() const { return FWindow; }

    TMouseEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    // Fills the record handed to the notification area from the current icon and the hint.
    virtual void FillNotifyData();
    void Notification(TComponent* component, TOperation operation) override;

    virtual void DblClick();
    virtual void Click(TMouseButton button, TShiftState shift, int X, int Y);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int X, int Y);
    virtual void MouseMove(TShiftState shift, int X, int Y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int X, int Y);

private:
    const TIcon* CurrentIcon() const;
    void ShowIcon();
    void HideIcon();
    void RefreshIcon();
    void UpdateAnimation();
    void AnimationStep();
    bool ShowPopupMenu(int X, int Y);
    TMenuItem* DefaultMenuItem() const;
    void WndProc(TMessage& message);
    void ButtonUp(TMouseButton button, bool& wasDown, int X, int Y, TShiftState shift);

    HWND FWindow = 0;
    TNotifyIconData FData;
    bool FAdded = false;
    bool FLeftDown = false;
    bool FRightDown = false;
    int FFrame = -1;
    TTimer FAnimation{nullptr};

    bool FActive = true;
    bool FEnabled = true;
    bool FMayShow = false; // the icon shows only after Loaded or a change of Active
    AnsiString FHint;
    TIcon FIcon;
    TIconList FIcons;
    bool FAnimated = false;
    std::uint16_t FInterval = 150;
    TPopupMenu* FPopupMenu = nullptr;
};
