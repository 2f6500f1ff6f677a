// The one source of "now". Tests fix it to the millisecond; the program reads the system clock.
#pragma once

using TDateTime = double;

TDateTime ClockNow();
// Fixes the clock at `now` until ClockAdvance moves it or ClockUseSystem releases it.
void ClockSet(TDateTime now);
void ClockAdvance(double milliseconds);
void ClockUseSystem();
bool ClockIsFixed();
