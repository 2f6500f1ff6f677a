// Fitting text into a width: the page printer's cutting, wrapping and tab routines. Widths come
// from a measuring function (the page canvas), so these work the same in every unit and mode.
#pragma once
#include "platform/core/AnsiString.h"
#include <functional>

using MeasureText = std::function<int(const AnsiString& text)>;

// A string of n blanks (empty for n <= 0).
AnsiString Spaces(long long n);
// Each TAB becomes the blanks up to the next multiple of tabSize characters of the result; a
// tab size of 0 is taken as 1, so a TAB is then one blank.
AnsiString ExpandTabs(const AnsiString& text, unsigned tabSize);
// The prefix of text up to and including its last blank or control character; text itself
// when it has none.
AnsiString CutAtLastBlank(const AnsiString& text);
// The longest prefix of text that fits width (found by bisection); at least its first
// character, so every cut makes progress.
AnsiString TruncateToWidth(const AnsiString& text, long long width, const MeasureText& measure);
// Moves the part of text that fits width into head, breaking after the last blank when a word
// would be cut; with skipBlank the one blank at the break is dropped.
void SplitToWidth(AnsiString& head, AnsiString& text, bool skipBlank, long long width, const MeasureText& measure);
