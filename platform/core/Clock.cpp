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
    std::int64_t unixMs = 0;
};

ClockState& State()
{
    static ClockState state;
    return state;
}

std::int64_t SystemUnixMs()
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

} // namespace

std::int64_t ClockNowUnixMs()
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.fixed ? state.unixMs : SystemUnixMs();
}

TDateTime ClockNow()
{
    const std::int64_t unixMs = ClockNowUnixMs();
    const std::int64_t seconds = FloorDiv(unixMs, 1000);
    return UnixToDateTime(seconds) + static_cast<double>(unixMs - seconds * 1000) / kMillisecondsPerDay;
}

void ClockSet(TDateTime now)
{
    const auto localMs = static_cast<std::int64_t>(std::llround(now * kMillisecondsPerDay));
    ClockSetUnixMs(DateTimeToUnix(now) * 1000 + (localMs - FloorDiv(localMs, 1000) * 1000));
}

void ClockSetUnixMs(std::int64_t milliseconds)
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.fixed = true;
    state.unixMs = milliseconds;
}

// Advancing a running clock fixes it at the moment reached.
void ClockAdvance(double milliseconds)
{
    ClockState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.fixed) {
        state.unixMs = SystemUnixMs();
        state.fixed = true;
    }
    state.unixMs += std::llround(milliseconds);
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
