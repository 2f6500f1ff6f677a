// The one source of "now". Tests fix it to the millisecond; the program reads the system clock.
// The clock keeps an absolute moment; local readings are made from it by the zone rules.
#pragma once
#include <cstdint>

using TDateTime = double;

// Local date and time.
TDateTime ClockNow();
// The same moment as milliseconds since 1.1.1970 00:00 UTC: the reading to compare and subtract,
// since it goes on evenly through daylight-saving changes.
std::int64_t ClockNowUnixMs();
// Fixes the clock at the local `now` (read as DateTimeToUnix reads it) until ClockAdvance moves
// it or ClockUseSystem releases it.
void ClockSet(TDateTime now);
void ClockSetUnixMs(std::int64_t milliseconds);
void ClockAdvance(double milliseconds);
void ClockUseSystem();
bool ClockIsFixed();
