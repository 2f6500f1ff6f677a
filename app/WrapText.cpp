#include "app/WrapText.h"
#include "platform/core/SysUtils.h"

namespace {

bool IsQuote(char c)
{
    return c == '\'' || c == '"';
}

} // namespace

// Positions count from 1, as in the class library, so that the rules read as they were made.
AnsiString WrapText(const AnsiString& line, const AnsiString& breakStr, const AnsiString& breakChars, int maxCol)
{
    const int lineLen = static_cast<int>(line.size());
    const int breakLen = static_cast<int>(breakStr.size());
    const auto at = [&line](int position) { return line[static_cast<std::size_t>(position - 1)]; };
    const auto isBreakChar = [&breakChars](char c) { return breakChars.find(c) != AnsiString::npos; };
    const auto copy = [&line](int from, int count) {
        return line.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
    };

    AnsiString result;
    int col = 1;
    int pos = 1;
    int linePos = 1;
    int breakPos = 0;
    char quoteChar = 0;
    bool existingBreak = false;
    while (pos <= lineLen) {
        const char current = at(pos);
        if (breakLen > 0 && current == breakStr[0]) {
            if (quoteChar == 0) {
                existingBreak = CompareText(breakStr, copy(pos, breakLen)) == 0;
                if (existingBreak) {
                    pos += breakLen - 1;
                    breakPos = pos;
                }
            }
        } else if (isBreakChar(current)) {
            if (quoteChar == 0)
                breakPos = pos;
        } else if (IsQuote(current)) {
            if (current == quoteChar)
                quoteChar = 0;
            else if (quoteChar == 0)
                quoteChar = current;
        }
        ++pos;
        ++col;
        if (quoteChar == 0 && (existingBreak || (col > maxCol && breakPos > linePos))) {
            col = pos - breakPos;
            result += copy(linePos, breakPos - linePos + 1);
            if (!IsQuote(current)) {
                while (pos <= lineLen) {
                    if (isBreakChar(at(pos)))
                        ++pos;
                    else if (copy(pos, 2) == "\r\n")
                        pos += 2;
                    else
                        break;
                }
            }
            if (!existingBreak && pos < lineLen)
                result += breakStr;
            ++breakPos;
            linePos = breakPos;
            existingBreak = false;
        }
    }
    return result + line.substr(static_cast<std::size_t>(linePos - 1));
}
