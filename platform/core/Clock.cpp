#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include <cmath>
#include <ctime>
#include <mutex>

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// A fixed clock is kept in whole milliseconds, so that repeated advances never drift.
struct ClockState {
    std::mutex lock;
    bool fixed = false;
    std::int64_t milliseconds = 0;
};

ClockState& State()
{
    static ClockState state;
    return state;
}

TDateTime SystemNow()
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return UnixToDateTime(now.tv_sec) + (now.tv_nsec / 1000000) / kMillisecondsPerDay;
}

} // namespace

TDateTime ClockNow()
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.fixed)
        return state.milliseconds / kMillisecondsPerDay;
    return SystemNow();
}

void ClockSet(TDateTime now)
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.fixed = true;
    state.milliseconds = std::llround(now * kMillisecondsPerDay);
}

// Advancing a running clock fixes it at the moment reached.
void ClockAdvance(double milliseconds)
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.fixed) {
        state.milliseconds = std::llround(SystemNow() * kMillisecondsPerDay);
        state.fixed = true;
    }
    state.milliseconds += std::llround(milliseconds);
}

void ClockUseSystem()
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.fixed = false;
}

bool ClockIsFixed()
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.fixed;
}
