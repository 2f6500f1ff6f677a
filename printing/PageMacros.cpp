#include "printing/PageMacros.h"
#include <cstdio>
#include <vector>
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"

AnsiString ReplaceStr(const AnsiString& find, const AnsiString& replace, const AnsiString& text)
{
    if (find.empty())
        return text;
    AnsiString result;
    std::size_t start = 0;
    for (std::size_t at = text.find(find); at != AnsiString::npos; at = text.find(find, start)) {
        result.append(text, start, at - start);
        result += replace;
        start = at + find.size();
    }
    result.append(text, start, AnsiString::npos);
    return result;
}

AnsiString ReplaceMacros(const AnsiString& text, const PageMacroValues& values)
{
    TDateTime now = Now();
    AnsiString s = ReplaceStr("{$LINE}", IntToStr(values.Line), text);
    s = ReplaceStr("{$PAGE}", IntToStr(values.Page), s);
    s = ReplaceStr("{$DATE}", FormatDateTime("ddddd", now), s);
    s = ReplaceStr("{$TIME}", FormatDateTime("tt", now), s);
    return ReplaceStr("{$TITLE}", values.Title, s);
}

namespace {

// The value of the code after '&'; empty for the alignment codes.
AnsiString FriendlyCode(char code, const AnsiString& fileName, TDateTime now)
{
    switch (code) {
    case 'i': return "{$TITLE}";
    case 'p': return "{$PAGE}";
    case 'd': return FormatDateTime("ddddd", now);
    case 'D': return FormatDateTime("dddddd", now);
    case 't': return FormatDateTime("t", now);
    case 'T': return FormatDateTime("tt", now);
    case 'f': return ExtractFileName(fileName);
    case 'F': return fileName;
    case '&': return "&";
    default: return " ";
    }
}

char AlignmentOfCode(char code)
{
    switch (code) {
    case 'l': return '<';
    case 'c': return '^';
    case 'r': return '>';
    default: return 0;
    }
}

// FloatToStrF(value, ffFixed, 8, 2): two decimals with the locale's separator.
AnsiString FixedTwoDecimals(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    AnsiString text = buffer;
    std::size_t point = text.find('.');
    if (point != AnsiString::npos)
        text[point] = FormatSettings().DecimalSeparator;
    return text;
}

} // namespace

FriendlyRow ParseFriendlyText(const AnsiString& text, double contentWidth, const AnsiString& fileName, char separator)
{
    TDateTime now = Now();
    std::vector<char> columns;
    FriendlyRow result;
    bool escape = false;
    for (char c : text) {
        if (!escape) {
            if (c == '&')
                escape = true;
            else
                result.Row += c;
            continue;
        }
        escape = false;
        if (char align = AlignmentOfCode(c)) {
            if (!result.Row.empty()) {
                if (columns.empty())
                    columns.push_back('<');
                result.Row += separator;
            }
            columns.push_back(align);
            continue;
        }
        AnsiString token = FriendlyCode(c, fileName, now);
        result.Row += token.empty() ? AnsiString(" ") : token;
    }
    if (columns.empty())
        columns.push_back('<');
    AnsiString width = Trim(FixedTwoDecimals(contentWidth / static_cast<double>(columns.size())));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            result.Format += separator;
        result.Format += columns[i] + width;
    }
    return result;
}
