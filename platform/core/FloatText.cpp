// FloatToStr and StrToFloat. std::to_chars and std::from_chars ignore the C locale, which Qt
// sets from the environment; the separator comes from the format settings alone.
#include "platform/core/DateTime.h"
#include "platform/core/ConvertOrRaise.h"
#include "platform/core/SysUtils.h"
#include <charconv>
#include <cmath>

namespace {

// Drops trailing zeros of the fraction, and the point when nothing is left after it.
std::string TrimFraction(std::string digits)
{
    if (digits.find('.') == std::string::npos)
        return digits;
    while (digits.back() == '0')
        digits.pop_back();
    if (digits.back() == '.')
        digits.pop_back();
    return digits;
}

std::string Scientific(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string text(buffer, result.ptr);
    std::size_t e = text.find('e');
    std::string mantissa = TrimFraction(text.substr(0, e));
    int exponent = std::atoi(text.c_str() + e + 1);
    return mantissa + "E" + std::to_string(exponent);
}

std::string Fixed(double value)
{
    int magnitude = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
    int decimals = std::max(0, 14 - magnitude);
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return TrimFraction(std::string(buffer, result.ptr));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the class library's syntax and rewrites it for from_chars: sign, digits with at most
// one separator, then an optional exponent.
bool Normalize(const AnsiString& s, char separator, std::string& out)
{
    std::size_t i = 0, end = s.size();
    while (i < end && s[i] == ' ')
        ++i;
    while (end > i && s[end - 1] == ' ')
        --end;
    if (i < end && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            out += '-';
        ++i;
    }
    int digits = 0;
    for (; i < end && IsDigit(s[i]); ++i, ++digits)
        out += s[i];
    if (i < end && s[i] == separator) {
        out += '.';
        for (++i; i < end && IsDigit(s[i]); ++i, ++digits)
            out += s[i];
    }
    if (digits == 0)
        return false;
    if (i < end && (s[i] == 'e' || s[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < end && (s[i] == '+' || s[i] == '-'))
            out += s[i++];
        if (i >= end || !IsDigit(s[i]))
            return false;
        for (; i < end && IsDigit(s[i]); ++i)
            out += s[i];
    }
    return i == end;
}

} // namespace

AnsiString FloatToStr(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    double magnitude = std::fabs(value);
    std::string text = (magnitude != 0 && (magnitude < 1e-5 || magnitude >= 1e15)) ? Scientific(value) : Fixed(value);
    std::size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = FormatSettings().DecimalSeparator;
    return text;
}

bool TryStrToFloat(const AnsiString& s, double& value)
{
    std::string plain;
    if (!Normalize(s, FormatSettings().DecimalSeparator, plain))
        return false;
    double parsed = 0;
    auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return false;
    value = parsed;
    return true;
}

double StrToFloat(const AnsiString& s) { return ConvertOrRaise(s, TryStrToFloat, "floating point value"); }
