#include "net/HttpEncoding.h"

namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char UuChar(unsigned sixBits)
{
    return sixBits == 0 ? '`' : static_cast<char>(sixBits + 32);
}

AnsiString Base64(const unsigned char* data, int length)
{
    AnsiString out;
    out.reserve(static_cast<std::size_t>((length + 2) / 3) * 4);
    for (int i = 0; i < length; i += 3) {
        int left = length - i;
        unsigned group = unsigned(data[i]) << 16;
        if (left > 1)
            group |= unsigned(data[i + 1]) << 8;
        if (left > 2)
            group |= data[i + 2];
        out += kBase64Alphabet[(group >> 18) & 63];
        out += kBase64Alphabet[(group >> 12) & 63];
        out += left > 1 ? kBase64Alphabet[(group >> 6) & 63] : '=';
        out += left > 2 ? kBase64Alphabet[group & 63] : '=';
    }
    return out;
}

AnsiString Uuencode(const unsigned char* data, int length)
{
    AnsiString out;
    out += static_cast<char>(((length - 1) & 63) + 33);
    for (int i = 0; i < length; i += 3) {
        // The last group is filled up with zero bytes.
        unsigned group = unsigned(data[i]) << 16;
        if (i + 1 < length)
            group |= unsigned(data[i + 1]) << 8;
        if (i + 2 < length)
            group |= data[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            out += UuChar((group >> shift) & 63);
    }
    return out;
}

} // namespace

AnsiString EncodeLine(int encoding, const char* data, int length)
{
    if (length < 0)
        length = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    return encoding == 0 ? Uuencode(bytes, length) : Base64(bytes, length);
}

AnsiString EncodeStr(int encoding, const AnsiString& value)
{
    return EncodeLine(encoding, value.data(), static_cast<int>(value.size()));
}
