// Lines of the information panes (the main window's and the TV-today window's).
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/forms/Font.h"

class TRichEdit;

// Appends a line to a rich edit in exactly this colour and style, leaving the user's selection
// as it was.
void RichEditAddLine(TRichEdit* edit, const AnsiString& line, TColor color, TFontStyles style);
