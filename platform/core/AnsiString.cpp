#include "platform/core/AnsiString.h"

namespace cp1252 {

char32_t ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighRange[byte - 0x80];
    return byte;
}

char FromUnicode(char32_t codePoint)
{
    int byte = ByteOf(codePoint);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

char ToUpperAnsi(char c)
{
    unsigned char b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<char>(b - 32);
    switch (b) {
    case 0x9A: return static_cast<char>(0x8A); // š
    case 0x9C: return static_cast<char>(0x8C); // œ
    case 0x9E: return static_cast<char>(0x8E); // ž
    case 0xFF: return static_cast<char>(0x9F); // ÿ
    default: return c;
    }
}

char ToLowerAnsi(char c)
{
    unsigned char b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<char>(b + 32);
    switch (b) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
    }
}

namespace {

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Every Windows-1252 code point lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i`, advancing it; malformed, overlong or truncated
// sequences yield U+FFFD and consume one byte so that decoding always moves on.
char32_t NextUtf8(std::string_view utf8, std::size_t& i)
{
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) { ++i; return lead; }
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; minimum = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; minimum = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; minimum = 0x10000; }
    else { ++i; return 0xFFFD; }
    if (i + extra >= utf8.size()) { ++i; return 0xFFFD; }
    for (int k = 1; k <= extra; ++k) {
        unsigned char next = static_cast<unsigned char>(utf8[i + k]);
        if ((next & 0xC0) != 0x80) { ++i; return 0xFFFD; }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return 0xFFFD; }
    i += 1 + extra;
    return cp;
}

} // namespace

std::string ToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::u16string ToUtf16(std::string_view ansi)
{
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        out += static_cast<char16_t>(ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

AnsiString FromUtf8(std::string_view utf8)
{
    AnsiString out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size())
        out += FromUnicode(NextUtf8(utf8, i));
    return out;
}

AnsiString FromUtf16(std::u16string_view utf16)
{
    AnsiString out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size()
            && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            // A pair stands for one character, none of which Windows-1252 has.
            ++i;
            out += '?';
            continue;
        }
        out += FromUnicode(unit);
    }
    return out;
}

} // namespace cp1252
