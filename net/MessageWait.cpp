#include "net/MessageWait.h"
#include "platform/messages/Application.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <climits>

std::int64_t MonotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock.elapsed();
}

void ProcessPendingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void WaitForMessageUntil(std::int64_t deadlineMs)
{
    if (!QCoreApplication::instance() || (Application && Application->Terminated()))
        return;
    // A timer due at the deadline is itself an event, so the wait below cannot outlast it.
    QTimer wake;
    if (deadlineMs >= 0) {
        std::int64_t left = deadlineMs - MonotonicMs();
        if (left <= 0) {
            ProcessPendingMessages();
            return;
        }
        wake.setSingleShot(true);
        wake.start(static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}
