// Waiting in tests for what the event loop brings about: for the condition itself, with a
// deadline generous enough for a machine under heavy load, never for a fixed time.
#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

namespace fixture {

// Runs the message loop until done() or the time-out; false on the time-out.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 30000)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer wakeUp; // the deadline is seen while nothing else happens
    wakeUp.start(10);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace fixture
