// Small routines on the lines of a day text: "hh:nn Title", with the late-night marker ('3' in
// place of a leading '0') on the programmes after midnight where times must sort.
#pragma once
#include "platform/core/AnsiString.h"

// The text from 1-based `position` to its end (empty past the end).
AnsiString CharactersFrom(const AnsiString& text, int position);
// The text with a leading '3' turned back into '0' (an empty text stays empty).
AnsiString UnshiftHour(const AnsiString& text);
// What the own views take for a programme line: longer than 7 characters, and its first
// character '0', '1' or '2' or its sixth a blank.
bool IsViewProgrammeLine(const AnsiString& line);
