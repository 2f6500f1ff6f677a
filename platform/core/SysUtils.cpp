#include "platform/core/SysUtils.h"
#include "platform/core/ConvertOrRaise.h"
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// The map is a template argument so that it is inlined: a call per byte costs more than the map.
template <char (*map)(char)>
AnsiString MapBytes(const AnsiString& s)
{
    AnsiString out(s);
    for (char& c : out)
        c = map(c);
    return out;
}

int CompareFolded(const AnsiString& a, const AnsiString& b, char (*fold)(char))
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = static_cast<unsigned char>(fold(a[i]));
        int y = static_cast<unsigned char>(fold(b[i]));
        if (x != y)
            return x - y;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

char UpperAscii(char c) { return cp1252::ToUpperAscii(c); }
char LowerAscii(char c) { return cp1252::ToLowerAscii(c); }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex) {
        char u = cp1252::ToUpperAscii(c);
        if (u >= 'A' && u <= 'F')
            return u - 'A' + 10;
    }
    return -1;
}

struct ParsedInteger {
    bool negative = false;
    bool hex = false;
    std::uint64_t magnitude = 0;
};

// The class library's number syntax: leading blanks, a sign, then decimal digits or '$', 'x'
// or "0x" and hex digits, and nothing after.
bool ParseInteger(const AnsiString& s, ParsedInteger& out)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        out.negative = s[i++] == '-';
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        out.hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        out.hex = true;
        i += 2;
    }
    if (i >= s.size())
        return false;
    const std::uint64_t base = out.hex ? 16 : 10;
    const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    for (; i < s.size(); ++i) {
        int digit = DigitValue(s[i], out.hex);
        if (digit < 0 || out.magnitude > (most - static_cast<std::uint64_t>(digit)) / base)
            return false;
        out.magnitude = out.magnitude * base + static_cast<std::uint64_t>(digit);
    }
    return true;
}

bool ParseSigned(const AnsiString& s, int bits, std::int64_t& value)
{
    ParsedInteger parsed;
    if (!ParseInteger(s, parsed))
        return false;
    const std::uint64_t maxPositive = (std::uint64_t(1) << (bits - 1)) - 1;
    if (parsed.hex) {
        // Hex digits give the bit pattern, so $FFFFFFFF is -1 as a 32-bit integer.
        if (bits < 64 && parsed.magnitude > (std::uint64_t(1) << bits) - 1)
            return false;
        std::uint64_t pattern = parsed.negative ? (~parsed.magnitude + 1) : parsed.magnitude;
        value = bits == 32 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern))
                           : static_cast<std::int64_t>(pattern);
        return true;
    }
    if (parsed.magnitude > maxPositive + (parsed.negative ? 1 : 0))
        return false;
    value = parsed.negative ? static_cast<std::int64_t>(0 - parsed.magnitude)
                            : static_cast<std::int64_t>(parsed.magnitude);
    return true;
}

void CheckIntegral(double value)
{
    // 2^63 is the first double beyond int64.
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        throw EInvalidOp("Invalid floating point operation");
}

} // namespace

AnsiString UpperCase(const AnsiString& s) { return MapBytes<UpperAscii>(s); }
AnsiString LowerCase(const AnsiString& s) { return MapBytes<LowerAscii>(s); }
AnsiString AnsiUpperCase(const AnsiString& s) { return MapBytes<cp1252::ToUpperAnsi>(s); }
AnsiString AnsiLowerCase(const AnsiString& s) { return MapBytes<cp1252::ToLowerAnsi>(s); }

int CompareText(const AnsiString& a, const AnsiString& b) { return CompareFolded(a, b, UpperAscii); }
int AnsiCompareText(const AnsiString& a, const AnsiString& b) { return CompareFolded(a, b, cp1252::ToUpperAnsi); }
bool SameText(const AnsiString& a, const AnsiString& b) { return a.size() == b.size() && CompareText(a, b) == 0; }
bool AnsiSameText(const AnsiString& a, const AnsiString& b) { return a.size() == b.size() && AnsiCompareText(a, b) == 0; }

AnsiString TrimLeft(const AnsiString& s)
{
    std::size_t first = 0;
    while (first < s.size() && IsBlank(s[first]))
        ++first;
    return s.substr(first);
}

AnsiString TrimRight(const AnsiString& s)
{
    std::size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1]))
        --end;
    return s.substr(0, end);
}

AnsiString Trim(const AnsiString& s) { return TrimLeft(TrimRight(s)); }

int Pos(const AnsiString& sub, const AnsiString& s)
{
    if (sub.empty())
        return 0;
    std::size_t at = s.find(sub);
    return at == AnsiString::npos ? 0 : static_cast<int>(at) + 1;
}

AnsiString Copy(const AnsiString& s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || index > static_cast<int>(s.size()))
        return AnsiString();
    return s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

void Delete(AnsiString& s, int index, int count)
{
    if (index < 1 || count <= 0 || index > static_cast<int>(s.size()))
        return;
    s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

AnsiString IntToStr(std::int64_t value) { return std::to_string(value); }

AnsiString IntToHex(std::uint64_t value, int digits)
{
    char buffer[32];
    if (digits < 0)
        digits = 0;
    if (digits > 16)
        digits = 16;
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buffer;
}

bool TryStrToInt(const AnsiString& s, int& value)
{
    std::int64_t wide = 0;
    if (!ParseSigned(s, 32, wide))
        return false;
    value = static_cast<int>(wide);
    return true;
}

bool TryStrToInt64(const AnsiString& s, std::int64_t& value) { return ParseSigned(s, 64, value); }

int StrToInt(const AnsiString& s) { return ConvertOrRaise(s, TryStrToInt, "integer value"); }
std::int64_t StrToInt64(const AnsiString& s) { return ConvertOrRaise(s, TryStrToInt64, "integer value"); }

int StrToIntDef(const AnsiString& s, int defaultValue)
{
    int value = 0;
    return TryStrToInt(s, value) ? value : defaultValue;
}

std::int64_t Round(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    double rounded = std::nearbyint(value);
    CheckIntegral(rounded);
    return static_cast<std::int64_t>(rounded);
}

std::int64_t Trunc(double value)
{
    double truncated = std::trunc(value);
    CheckIntegral(truncated);
    return static_cast<std::int64_t>(truncated);
}
