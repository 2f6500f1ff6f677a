// Bringing a window forward, asking whether this thread has the active window, and taking back
// a message posted but not yet handled.
#pragma once
#include "platform/messages/Messages.h"

class TForm;

// Only for an enabled window: brings it to the front; with `restore` a shown window that is
// not maximised returns to its normal size; then it takes the keyboard.
void ActivateWindow(TForm* form, bool restore);
// True when the active window is one of the calling thread's windows.
bool IsThreadWindowActive();
// Removes the oldest pending message `msg` of `window`, if any. A quit taken out this way is
// posted again: discarding a message never cancels the program's end.
void DiscardPendingMessage(HWND window, UINT msg);
