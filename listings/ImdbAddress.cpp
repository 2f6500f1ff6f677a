#include "listings/ImdbAddress.h"
#include "platform/core/SysUtils.h"

const char* const ImdbSearchBase = "https://www.imdb.com";

namespace {

void AppendPercentEncoded(AnsiString& out, unsigned char byte)
{
    static const char hex[] = "0123456789ABCDEF";
    out += '%';
    out += hex[byte >> 4];
    out += hex[byte & 0x0F];
}

} // namespace

AnsiString ImdbSearchAddress(const AnsiString& text)
{
    AnsiString address = AnsiString(ImdbSearchBase) + "/Find?";
    for (const char c : LowerCase(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ')
            address += '+';
        else if (byte < 0x20 || byte == 0x7F)
            AppendPercentEncoded(address, byte);
        else if (byte >= 0x80)
            for (const char utf8 : cp1252::ToUtf8(std::string_view(&c, 1)))
                AppendPercentEncoded(address, static_cast<unsigned char>(utf8));
        else
            address += c;
    }
    return address;
}
