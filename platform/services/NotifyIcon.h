// Icons in the desktop's notification area, over QSystemTrayIcon. Mouse actions on an icon
// arrive at its window as uCallbackMessage with the mouse message (WM_LBUTTONDOWN, ...) in
// LParam; Qt tells only clicks, so each click comes as its button's down and up messages. Where
// the desktop has no notification area nothing can be added: callers then keep their windows
// reachable some other way.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/messages/Messages.h"
#include <QIcon>

constexpr unsigned NIM_ADD = 0;
constexpr unsigned NIM_MODIFY = 1;
constexpr unsigned NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 1;
constexpr UINT NIF_ICON = 2;
constexpr UINT NIF_TIP = 4;
constexpr std::size_t kNotifyTipSize = 64; // the tip field, its NUL included

struct TNotifyIconData {
    std::uint32_t cbSize = 88;
    HWND Wnd = 0;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    QIcon hIcon;        // a null icon is none
    AnsiString szTip;   // at most kNotifyTipSize - 1 characters
};

// True when the request was carried out: NIM_ADD fails without a notification area, NIM_MODIFY
// and NIM_DELETE for an icon that is not there.
bool Shell_NotifyIcon(unsigned message, const TNotifyIconData& data);
// Whether the desktop shows a notification area now.
bool NotificationAreaAvailable();

// Where notification-area requests go: Qt's system tray unless another is installed (tests).
class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    virtual bool Request(unsigned message, const TNotifyIconData& data) = 0;
    virtual bool Available() const = 0;
};
// Installs `area` (not owned); nullptr returns to Qt's system tray.
void SetNotificationArea(NotificationArea* area);
