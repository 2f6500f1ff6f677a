#include "platform/messages/Timer.h"
#include "platform/messages/Application.h"
#include <QTimer>
#include <algorithm>
#include <climits>

struct TTimer::Impl {
    QTimer timer;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), FImpl(std::make_unique<Impl>())
{
    // Qt delivers no timeout to a timer whose slot is still running, so a handler that shows a box
    // would stop its own timer for as long as the box is open. The handler runs from a posted call
    // instead, which lets the timer tick on in the box's nested loop as the platform's does. The
    // call is dropped with the timer, and a timer disabled meanwhile runs nothing.
    QObject::connect(&FImpl->timer, &QTimer::timeout, &FImpl->timer, [this] {
        if (!FEnabled)
            return;
        Dispatch([this] {
            // A handler may free the timer or replace OnTimer; run a copy.
            if (auto handler = OnTimer)
                handler(this);
        });
    }, Qt::QueuedConnection);
    UpdateTimer();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds)
{
    if (milliseconds == FInterval)
        return;
    FInterval = milliseconds;
    UpdateTimer();
}

// Like the platform's timer: stopped and started afresh, so a changed interval counts from now.
void TTimer::UpdateTimer()
{
    FImpl->timer.stop();
    if (FEnabled && FInterval != 0)
        FImpl->timer.start(static_cast<int>(std::min<unsigned>(FInterval, INT_MAX)));
}
