#include "listings/VersionFile.h"
#include "platform/core/SysUtils.h"
#include <climits>

int VersionLineNumber(const AnsiString& line)
{
    return StrToInt(Copy(line, 1, 3));
}

AnsiString VersionLineAddress(const AnsiString& line)
{
    return Copy(line, 5, INT_MAX);
}

bool IsWebAddress(const AnsiString& address)
{
    for (unsigned char c : address)
        if (c <= ' ' || c == 0x7F)
            return false;
    const AnsiString lower = LowerCase(address);
    std::size_t hostStart = 0;
    if (lower.rfind("http://", 0) == 0)
        hostStart = 7;
    else if (lower.rfind("https://", 0) == 0)
        hostStart = 8;
    else
        return false;
    const std::size_t hostEnd = address.find_first_of("/?#", hostStart);
    const AnsiString authority = address.substr(hostStart, hostEnd == AnsiString::npos ? AnsiString::npos : hostEnd - hostStart);
    // What follows user information and precedes a port is the host itself.
    const std::size_t at = authority.rfind('@');
    const AnsiString host = authority.substr(at == AnsiString::npos ? 0 : at + 1);
    return !host.empty() && host[0] != ':';
}
