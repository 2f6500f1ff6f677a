// What a window's frame offers, told to the window manager beyond what the toolkit tells it: a
// window whose size is pinned gets no sizing border and no resize or maximise command, so its
// window menu shows them grey. These are the frame hints X11 window managers read (openbox reads
// them; a manager that ignores them still keeps the size through the window's size limits).
// Without X11 nothing happens.
#pragma once

class QWidget;

void SetFramePinned(QWidget* window, bool pinned);
