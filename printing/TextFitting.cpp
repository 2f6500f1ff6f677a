#include "printing/TextFitting.h"

AnsiString Spaces(long long n)
{
    return n <= 0 ? AnsiString() : AnsiString(static_cast<std::size_t>(n), ' ');
}

AnsiString ExpandTabs(const AnsiString& text, unsigned tabSize)
{
    std::size_t stop = tabSize == 0 ? 1 : tabSize;
    AnsiString result;
    for (char c : text) {
        if (c == '\t')
            result.append(stop - result.size() % stop, ' ');
        else
            result += c;
    }
    return result;
}

AnsiString CutAtLastBlank(const AnsiString& text)
{
    for (std::size_t i = text.size(); i > 0; --i)
        if (static_cast<unsigned char>(text[i - 1]) < 33)
            return text.substr(0, i);
    return text;
}

AnsiString TruncateToWidth(const AnsiString& text, long long width, const MeasureText& measure)
{
    if (text.empty() || measure(text) <= width)
        return text;
    std::size_t lo = 1;
    std::size_t hi = text.size();
    std::size_t mid = 0;
    do {
        std::size_t previous = mid;
        mid = (lo + hi) / 2;
        long long w = measure(text.substr(0, mid));
        if (w < width)
            lo = mid;
        else if (w == width)
            lo = hi;
        else
            hi = mid;
        if (mid == previous)
            break;
    } while (lo < hi);
    return text.substr(0, mid < 1 ? 1 : mid);
}

void SplitToWidth(AnsiString& head, AnsiString& text, bool skipBlank, long long width, const MeasureText& measure)
{
    head = TruncateToWidth(text, width, measure);
    std::size_t n = head.size();
    if (n < text.size()) {
        if (static_cast<unsigned char>(text[n]) >= 33) {
            head = CutAtLastBlank(head);
            n = head.size();
        } else if (skipBlank) {
            ++n;
        }
    }
    text.erase(0, n);
}
