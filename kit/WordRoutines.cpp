#include "kit/WordRoutines.h"

namespace {

bool IsDelimiter(char c, const AnsiString& delimiters)
{
    return delimiters.find(c) != AnsiString::npos;
}

} // namespace

int FindWordStart(int n, const AnsiString& text, const AnsiString& delimiters)
{
    int count = 0;
    std::size_t i = 0;
    while (i < text.size() && count < n) {
        while (i < text.size() && IsDelimiter(text[i], delimiters))
            ++i;
        if (i >= text.size())
            break;
        if (++count == n)
            return static_cast<int>(i) + 1;
        while (i < text.size() && !IsDelimiter(text[i], delimiters))
            ++i;
    }
    return 0;
}

AnsiString ExtractNthWord(int n, const AnsiString& text, const AnsiString& delimiters)
{
    int start = FindWordStart(n, text, delimiters);
    if (start == 0)
        return AnsiString();
    std::size_t first = static_cast<std::size_t>(start - 1);
    std::size_t end = first;
    while (end < text.size() && !IsDelimiter(text[end], delimiters))
        ++end;
    return text.substr(first, end - first);
}
