#include "net/Resolve.h"
#include "net/SocketErrors.h"
#include "net/WinsockBinding.h"
#include "platform/core/SysUtils.h"
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

[[noreturn]] void RaiseWithCode(const char* format, const AnsiString& subject, int code)
{
    char text[512];
    std::snprintf(text, sizeof text, format, subject.c_str(), code);
    throw ESocketException(text);
}

bool ValidLength(const AnsiString& text, std::size_t most)
{
    return !text.empty() && text.size() <= most;
}

} // namespace

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int atoi(const AnsiString& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    return static_cast<int>(value);
}

bool AsyncSocketIsDottedIP(const AnsiString& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (i >= text.size() || text[i] != '.')
                return false;
            ++i;
        }
        int value = 0, digits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            value = value * 10 + (text[i] - '0');
            if (value > 255)
                return false;
            ++i;
            ++digits;
        }
        if (digits == 0)
            return false;
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    return i == text.size();
}

std::uint32_t AsyncSocketResolveHost(const AnsiString& name)
{
    if (!ValidLength(name, 256))
        throw ESocketException("AsyncSocketResolveHost: '" + name + "' Invalid Hostname.");
    AnsiString host = Trim(name);
    if (AsyncSocketIsDottedIP(host)) {
        std::uint32_t address = AsyncSocket_inet_addr(host.c_str());
        if (address == winsock::WS_INADDR_NONE && host != "255.255.255.255")
            throw ESocketException("AsyncSocketResolveHost: '" + name + "' Invalid IP address.");
        return address;
    }
    winsock::hostent* entry = AsyncSocket_gethostbyname(host.c_str());
    if (!entry || !entry->h_addr_list || !entry->h_addr_list[0])
        RaiseWithCode("AsyncSocketResolveHost: Cannot convert host address '%s', Error #%d", name,
                      AsyncSocket_WSAGetLastError());
    std::uint32_t address;
    std::memcpy(&address, entry->h_addr_list[0], 4);
    return address;
}

std::uint16_t AsyncSocketResolvePort(const AnsiString& port, const AnsiString& proto)
{
    if (!ValidLength(port, 31))
        throw ESocketException("AsyncSocketResolvePort: Invalid Port.");
    if (!ValidLength(proto, 31))
        throw ESocketException("AsyncSocketResolvePort: Invalid Proto.");
    if (IsDigit(port[0])) {
        // A number outside 0-65535 is refused rather than wrapped onto another port.
        int number = atoi(port);
        if (number > 65535)
            RaiseWithCode("AsyncSocketResolvePort: Cannot convert port '%s', Error #%d", port, winsock::WSAEINVAL);
        return static_cast<std::uint16_t>(number);
    }
    winsock::servent* entry = AsyncSocket_getservbyname(Trim(port).c_str(), Trim(proto).c_str());
    if (!entry)
        RaiseWithCode("AsyncSocketResolvePort: Cannot convert port '%s', Error #%d", port,
                      AsyncSocket_WSAGetLastError());
    return AsyncSocket_ntohs(static_cast<u_short>(entry->s_port));
}

int AsyncSocketResolveProto(const AnsiString& proto)
{
    if (!ValidLength(proto, 31))
        throw ESocketException("AsyncSocketResolveProto: Invalid Protocol.");
    if (IsDigit(proto[0]))
        return atoi(proto);
    winsock::protoent* entry = AsyncSocket_getprotobyname(Trim(proto).c_str());
    if (!entry)
        RaiseWithCode("AsyncSocketResolveProto: Cannot convert protocol '%s', Error #%d", proto,
                      AsyncSocket_WSAGetLastError());
    return entry->p_proto;
}
