// Small text routines that many windows share.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"

// Drops every run from '<' to the next '>' inclusive; a '<' without '>' drops the rest. For
// markup whose text is escaped (the table pages' lines); the programme lists' rows hold listing
// text as it is and are read with ProgrammeRow.h.
AnsiString StripTags(const AnsiString& text);
// Replaces every occurrence of oldText (exactly, or compared lower-cased without caseSensitive);
// an empty oldText is never found and replaced text is never searched again.
AnsiString ReplaceAll(const AnsiString& text, const AnsiString& oldText, const AnsiString& newText, bool caseSensitive);
// Name of the running Windows version for the HTTP user agent; "???" on this platform.
AnsiString WindowsVersionName();
// "#RRGGBB" in upper case; system colours resolve to their current value.
AnsiString ColorToHtml(TColor color);
void EmptyRoutine();
