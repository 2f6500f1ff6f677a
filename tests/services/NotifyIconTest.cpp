#include "platform/services/NotifyIcon.h"
#include <QGuiApplication>
#include <QPixmap>
#include <gtest/gtest.h>

// The offscreen platform has no notification area, like a bare X server: nothing can be added,
// and callers must know it before they hide a window there.
TEST(NotifyIcon, WithoutANotificationAreaNothingIsAdded)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "needs the offscreen platform";
    EXPECT_FALSE(NotificationAreaAvailable());
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    TNotifyIconData data;
    data.Wnd = 0x1234;
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = QIcon(pixmap);
    data.szTip = "QEX 2000";
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, data));
}
