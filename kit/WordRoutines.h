// Words of a text separated by any run of delimiter characters; positions count from 1.
#pragma once
#include "platform/core/AnsiString.h"

// Position of the first character of word N (from 1), 0 when the text has fewer words.
int FindWordStart(int n, const AnsiString& text, const AnsiString& delimiters);
// Word N, empty when there is none.
AnsiString ExtractNthWord(int n, const AnsiString& text, const AnsiString& delimiters);
