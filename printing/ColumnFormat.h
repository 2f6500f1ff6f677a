// Column formats of tables, headers and footers: tokens such as "<30", ">20" or "^-10" (an
// alignment character and a width in the current unit, negative for a column without a grid
// box) separated by the token separator.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/Control.h"
#include <functional>
#include <vector>

// Every piece of text cut at each separator, the piece after the last one included: "" gives
// one empty token and "a|" gives "a" and "".
std::vector<AnsiString> SplitTokens(const AnsiString& text, char separator);
// Reads one token; an empty or alignment-only token, or a width that is not a number, takes
// defaultWidth.
void ParseColumnFormat(AnsiString& token, TAlignment& align, double& width, double defaultWidth);
// Each token written back as its alignment character and width, the width passed through
// `convert` when one is given (a change of unit); "" stays "".
AnsiString NormalizeFormat(const AnsiString& format, char separator, double defaultWidth,
                           const std::function<double(double)>& convert = nullptr);
// The alignment character of a column: '<', '>' or '^'.
char AlignmentChar(TAlignment align);
