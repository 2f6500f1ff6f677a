#include "listings/TextRoutines.h"
#include "platform/core/SysUtils.h"
#include <cstdio>

AnsiString StripTags(const AnsiString& text)
{
    AnsiString result;
    result.reserve(text.size());
    bool inTag = false;
    for (char c : text) {
        if (inTag) {
            if (c == '>')
                inTag = false;
        } else if (c == '<') {
            inTag = true;
        } else {
            result += c;
        }
    }
    return result;
}

AnsiString ReplaceAll(const AnsiString& text, const AnsiString& oldText, const AnsiString& newText, bool caseSensitive)
{
    if (oldText.empty())
        return text;
    // Lower-casing keeps every byte in place, so positions found in the folded copy hold in text.
    const AnsiString haystack = caseSensitive ? text : AnsiLowerCase(text);
    const AnsiString needle = caseSensitive ? oldText : AnsiLowerCase(oldText);
    AnsiString result;
    std::size_t start = 0;
    for (;;) {
        std::size_t found = haystack.find(needle, start);
        if (found == AnsiString::npos) {
            result.append(text, start, AnsiString::npos);
            return result;
        }
        result.append(text, start, found - start);
        result += newText;
        start = found + needle.size();
    }
}

AnsiString WindowsVersionName()
{
    return "???";
}

AnsiString ColorToHtml(TColor color)
{
    std::uint32_t rgb = ColorToRGB(color);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    return buffer;
}

void EmptyRoutine()
{
}
