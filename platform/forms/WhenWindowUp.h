// Work for a window that has only just been shown: a window manager maps it some time after the
// show, and until the toolkit has seen it mapped, a change of its state is written where the
// window manager no longer looks, and is lost.
#pragma once
#include <functional>

class QWidget;

// The bound used when none is given: well past a window manager's answer on a loaded machine.
constexpr int kWindowUpBoundMilliseconds = 2000;

// Runs `work` at once when the window is up (exposed), minimised, or has no native window;
// otherwise on a later turn of the event loop once it first comes up. A window that doesn't come
// up within the bound gets the work all the same, then, so that nothing asked of it is lost.
// Work for a window destroyed meanwhile is dropped.
void WhenWindowUp(QWidget* window, std::function<void()> work, int boundMilliseconds = kWindowUpBoundMilliseconds);
