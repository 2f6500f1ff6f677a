// The macros of table, header and footer cells ("{$PAGE}" and the like) and the friendly
// header and footer notation with &-codes ("&lPage &p&rprinted &d").
#pragma once
#include "platform/core/AnsiString.h"

// Every occurrence of find replaced, left to right; replaced text is not searched again.
AnsiString ReplaceStr(const AnsiString& find, const AnsiString& replace, const AnsiString& text);

struct PageMacroValues {
    unsigned Line = 0;
    unsigned Page = 0;
    AnsiString Title;
};
// "{$LINE}", "{$PAGE}", "{$DATE}" (short date), "{$TIME}" (long time), "{$TITLE}", in that
// order, so macros inside the title stay as they are.
AnsiString ReplaceMacros(const AnsiString& text, const PageMacroValues& values);

struct FriendlyRow {
    AnsiString Row;    // cells separated by the token separator
    AnsiString Format; // one column per alignment code, sharing the content width equally
};
// Builds a header or footer row from friendly text; dates and times are those of now.
FriendlyRow ParseFriendlyText(const AnsiString& text, double contentWidth, const AnsiString& fileName, char separator);
