// File-name checks and the long and short forms of a file name.
#pragma once
#include "platform/core/AnsiString.h"

// True when any character of `chars` occurs in `text`.
bool ContainsAnyChar(const AnsiString& text, const AnsiString& chars);
// Not empty and free of < > " [ ] | ; folders, blanks and trailing separators are fine.
bool IsValidFileName(const AnsiString& fileName);
bool DirectoryPresent(const AnsiString& path);
// The name part (never a folder) of the entry the name finds, '*' and '?' matching as in a
// folder listing; empty when nothing is found. Linux keeps no 8.3 names, so the short form is
// the long one.
AnsiString ExpandToLongFileName(const AnsiString& fileName);
AnsiString ReduceToShortFileName(const AnsiString& fileName);
