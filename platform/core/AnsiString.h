// Windows-1252 text: every string the program shows, stores or sends is these bytes in a std::string.
#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

using AnsiString = std::string;

namespace cp1252 {

// Unicode code point of a Windows-1252 byte (the five unassigned bytes map to themselves).
char32_t ToUnicode(unsigned char byte);
// Windows-1252 byte of a code point; '?' for anything the code page lacks.
char FromUnicode(char32_t codePoint);

std::string ToUtf8(std::string_view ansi);
std::u16string ToUtf16(std::string_view ansi);
AnsiString FromUtf8(std::string_view utf8);
AnsiString FromUtf16(std::u16string_view utf16);

// Code points of the bytes 0x80-0x9F, the only range where Windows-1252 differs from Latin-1.
inline constexpr char32_t kHighRange[32] = {
    0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D, 0x017D, 0x8F,
    0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178};

// Byte of a code point, or -1 outside the code page. The _a literal uses it at compile time.
constexpr int ByteOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighRange[i] == cp)
            return 0x80 + i;
    return -1;
}

// Case of one byte: the Ascii forms fold only A-Z, the Ansi forms every Windows-1252 letter
// (Š Œ Ž Ÿ and À-Þ except ×; ß and µ have no upper case here).
constexpr char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
constexpr char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
char ToUpperAnsi(char c);
char ToLowerAnsi(char c);

template <std::size_t N>
struct Utf8Literal {
    char bytes[N] {};
    std::size_t length = 0;
    consteval Utf8Literal(const char (&utf8)[N])
    {
        std::size_t i = 0;
        while (i + 1 < N) {
            unsigned char c = static_cast<unsigned char>(utf8[i]);
            char32_t cp = 0;
            int extra = 0;
            if (c < 0x80) { cp = c; }
            else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
            else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
            else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
            else throw std::logic_error("invalid UTF-8 in literal");
            for (int k = 1; k <= extra; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            i += 1 + extra;
            int b = ByteOf(cp);
            if (b < 0)
                throw std::logic_error("character outside Windows-1252 in literal");
            bytes[length++] = static_cast<char>(b);
        }
    }
};

} // namespace cp1252

// "Hälytykset"_a is the 10 Windows-1252 bytes of the source's UTF-8 text, converted at compile time.
template <cp1252::Utf8Literal L>
inline AnsiString operator""_a()
{
    return AnsiString(L.bytes, L.length);
}
