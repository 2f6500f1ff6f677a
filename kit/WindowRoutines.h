// Bringing a window forward and asking whether the program has the active window.
#pragma once

class TForm;

// Only for an enabled window: brings it to the front; with `restore` a shown window that is
// not maximised returns to its normal size; then it takes the keyboard.
void ActivateWindow(TForm* form, bool restore);
// True when one of the program's windows is the active one.
bool IsThreadWindowActive();
