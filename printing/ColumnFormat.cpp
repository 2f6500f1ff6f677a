#include "printing/ColumnFormat.h"
#include "platform/core/SysUtils.h"

std::vector<AnsiString> SplitTokens(const AnsiString& text, char separator)
{
    std::vector<AnsiString> tokens;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        if (end == AnsiString::npos) {
            tokens.push_back(text.substr(start));
            return tokens;
        }
        tokens.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

void ParseColumnFormat(AnsiString& token, TAlignment& align, double& width, double defaultWidth)
{
    if (token.empty())
        token = "<" + FloatToStr(defaultWidth);
    if (token == "<" || token == ">" || token == "^")
        token += FloatToStr(defaultWidth);
    align = taLeftJustify;
    switch (token[0]) {
    case '>': align = taRightJustify; token.erase(0, 1); break;
    case '^': align = taCenter; token.erase(0, 1); break;
    case '<': token.erase(0, 1); break;
    default: break;
    }
    if (!TryStrToFloat(token, width))
        width = defaultWidth;
}

char AlignmentChar(TAlignment align)
{
    return align == taRightJustify ? '>' : align == taCenter ? '^' : '<';
}

AnsiString NormalizeFormat(const AnsiString& format, char separator, double defaultWidth,
                           const std::function<double(double)>& convert)
{
    if (format.empty())
        return AnsiString();
    AnsiString result;
    bool first = true;
    for (AnsiString token : SplitTokens(format, separator)) {
        TAlignment align;
        double width;
        ParseColumnFormat(token, align, width, defaultWidth);
        if (!first)
            result += separator;
        result += AlignmentChar(align) + Trim(FloatToStr(convert ? convert(width) : width));
        first = false;
    }
    return result;
}
