// What the two alarm notice windows share: their bold, transparent text lines and Escape.
#pragma once
#include "platform/forms/Form.h"

class TLabel;

// A bold, transparent label at (left, top) in the form's font that shows its text as written.
TLabel* AddNoticeLabel(TForm* form, const char* name, int left, int top);
// Escape (key code 27) closes the notice and is used up.
void CloseNoticeOnEscape(TForm* form, WORD& key);
