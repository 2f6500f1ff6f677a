#include "platform/services/NotifyIcon.h"
#include "platform/forms/QtText.h"
#include <QCoreApplication>
#include <QPointer>
#include <QSystemTrayIcon>
#include <map>
#include <utility>

namespace {

void PostMouse(HWND window, UINT callback, UINT id, UINT mouseMessage)
{
    PostMessage(window, callback, id, static_cast<LPARAM>(mouseMessage));
}

void PostClick(HWND window, UINT callback, UINT id, UINT down, UINT up)
{
    PostMouse(window, callback, id, down);
    PostMouse(window, callback, id, up);
}

class QtNotificationArea : public NotificationArea {
public:
    bool Request(unsigned message, const TNotifyIconData& data) override
    {
        auto key = std::make_pair(data.Wnd, data.uID);
        auto it = FIcons.find(key);
        if (it != FIcons.end() && !it->second)
            it = (FIcons.erase(it), FIcons.end()); // freed with the application object
        switch (message) {
        case NIM_ADD:
            if (it != FIcons.end() || !Available())
                return false;
            FIcons[key] = Create(data);
            return true;
        case NIM_MODIFY:
            if (it == FIcons.end())
                return false;
            Apply(*it->second, data);
            return true;
        case NIM_DELETE:
            if (it == FIcons.end())
                return false;
            delete it->second.data();
            FIcons.erase(it);
            return true;
        default:
            return false;
        }
    }

    bool Available() const override
    {
        return QCoreApplication::instance() && QSystemTrayIcon::isSystemTrayAvailable();
    }

private:
    static void Apply(QSystemTrayIcon& icon, const TNotifyIconData& data)
    {
        if (data.uFlags & NIF_ICON)
            icon.setIcon(data.hIcon);
        if (data.uFlags & NIF_TIP)
            icon.setToolTip(ToQString(data.szTip));
    }

    static QPointer<QSystemTrayIcon> Create(const TNotifyIconData& data)
    {
        auto* icon = new QSystemTrayIcon(QCoreApplication::instance());
        Apply(*icon, data);
        if (data.uFlags & NIF_MESSAGE) {
            const HWND window = data.Wnd;
            const UINT callback = data.uCallbackMessage;
            const UINT id = data.uID;
            QObject::connect(icon, &QSystemTrayIcon::activated, icon, [=](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::Trigger: PostClick(window, callback, id, WM_LBUTTONDOWN, WM_LBUTTONUP); break;
                case QSystemTrayIcon::DoubleClick: PostClick(window, callback, id, WM_LBUTTONDBLCLK, WM_LBUTTONUP); break;
                case QSystemTrayIcon::Context: PostClick(window, callback, id, WM_RBUTTONDOWN, WM_RBUTTONUP); break;
                case QSystemTrayIcon::MiddleClick: PostClick(window, callback, id, WM_MBUTTONDOWN, WM_MBUTTONUP); break;
                default: break;
                }
            });
        }
        icon->show();
        return icon;
    }

    std::map<std::pair<HWND, UINT>, QPointer<QSystemTrayIcon>> FIcons;
};

NotificationArea* installedArea = nullptr;

NotificationArea& Area()
{
    if (installedArea)
        return *installedArea;
    static QtNotificationArea qtArea;
    return qtArea;
}

} // namespace

bool Shell_NotifyIcon(unsigned message, const TNotifyIconData& data)
{
    return Area().Request(message, data);
}

bool NotificationAreaAvailable()
{
    return Area().Available();
}

void SetNotificationArea(NotificationArea* area)
{
    installedArea = area;
}
