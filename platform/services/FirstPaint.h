// The first frame of a top-level window: start-up work that the frame doesn't need waits until
// it has reached the display, and start-up can be measured from outside the process.
#pragma once
#include <functional>

// Runs work once, right after the first paint of a top-level window has been sent to the display
// server (at once, queued, when that has happened already). Works run in the order given.
void AfterFirstPaint(std::function<void()> work);

// With QEX_EXIT_AT_FIRST_PAINT in the environment, the process writes "painted" to its standard
// output and ends once the first painted frame has reached the display server, before any work
// that waits for it. The program and the bare reference window of the start-up benchmark both call
// this, so they end at the same point. Call once after the QApplication exists.
void ExitAtFirstPaintWhenAsked();
