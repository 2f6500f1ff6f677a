#include "net/HttpHeaderFields.h"
#include "platform/core/SysUtils.h"
#include <limits>

namespace {

bool AllDigits(const AnsiString& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

bool IsStatusLine(const AnsiString& line)
{
    return line.compare(0, 8, "HTTP/1.0") == 0 || line.compare(0, 8, "HTTP/1.1") == 0;
}

bool ParseStatusLine(const AnsiString& line, int& code, AnsiString& reason)
{
    AnsiString digits = Copy(line, 10, 3);
    if (digits.size() != 3 || !AllDigits(digits))
        return false;
    code = std::stoi(digits);
    reason = Copy(line, 14, static_cast<int>(line.size()));
    return true;
}

bool SplitHeaderField(const AnsiString& line, AnsiString& name, AnsiString& value)
{
    auto colon = line.find(':');
    if (colon == AnsiString::npos)
        return false;
    name = LowerCase(line.substr(0, colon));
    std::size_t start = colon + 1;
    while (start + 1 < line.size() && line[start] == ' ')
        ++start;
    value = line.substr(start);
    return true;
}

bool ParseContentLength(const AnsiString& value, std::int64_t& length)
{
    AnsiString digits = Trim(value);
    if (!AllDigits(digits) || digits.size() > 18)
        return false;
    length = std::stoll(digits);
    return true;
}

void ParseContentRange(const AnsiString& value, AnsiString& begin, AnsiString& end)
{
    int p = Pos("-", value) + 1;
    begin = Copy(value, 7, p - 8);
    end = Copy(value, p, Pos("/", value) - p);
}
