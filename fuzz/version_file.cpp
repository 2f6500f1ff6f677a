// Feeds arbitrary bytes as the data server's version file: its lines split as the program reads
// them, each number either read or refused with EConvertError, and an address handed on only
// when it is a plain http or https address.
#include "listings/VersionFile.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < lines.Count() && i < 2; ++i) {
        try {
            const int number = VersionLineNumber(lines[i]);
            if (number < -99 || number > 999)
                __builtin_trap();
        } catch (const EConvertError&) {
        }
        const AnsiString address = VersionLineAddress(lines[i]);
        if (!IsWebAddress(address))
            continue;
        const AnsiString lower = LowerCase(address);
        if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0)
            __builtin_trap();
        for (unsigned char c : address)
            if (c <= ' ' || c == 0x7F)
                __builtin_trap();
    }
    return 0;
}
