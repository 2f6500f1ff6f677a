// Where a window may go: a place read from a settings file is pulled onto the screen, so that a
// damaged or foreign file can neither hide a window nor make it larger than the screen.
#pragma once
#include "platform/forms/Types.h"

// Coordinates beyond this are nonsense on any screen; they are cut here before any sum of
// them can overflow.
constexpr int kFarthestCoordinate = 1 << 20;
int SaneCoordinate(int value);

// The frame made no larger than the area and moved, as little as it takes, wholly inside it:
// its title bar can always be reached.
TRect FitFrame(const TRect& frame, const TRect& area);
// The share of a space that one side of a divider gets: at least minimum, and no more than
// leaves the other side its minimum too (a space too small for both gives this side its minimum).
int FitShare(int wanted, int space, int minimum);
