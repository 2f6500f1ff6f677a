#include "net/SocksProtocol.h"
#include <cstdio>

namespace socks {

namespace {

Outcome Fail(int error, AnsiString message)
{
    Outcome o;
    o.kind = Outcome::Failed;
    o.error = error;
    o.message = std::move(message);
    return o;
}

Outcome Complete(std::size_t length)
{
    Outcome o;
    o.kind = Outcome::Done;
    o.length = length;
    return o;
}

Outcome Unassigned(int code)
{
    return Fail(20012, "unassigned error #" + std::to_string(code));
}

Outcome Socks5ReplyError(int code)
{
    switch (code) {
    case 1: return Fail(20004, "general SOCKS server failure");
    case 2: return Fail(20005, "connection not allowed by ruleset");
    case 3: return Fail(20006, "network unreachable");
    case 4: return Fail(20007, "host unreachable");
    case 5: return Fail(20008, "connection refused");
    case 6: return Fail(20009, "time to live expired");
    case 7: return Fail(20010, "command not supported");
    case 8: return Fail(20011, "address type not supported");
    default: return Unassigned(code);
    }
}

void AppendPort(AnsiString& out, std::uint16_t port)
{
    out += static_cast<char>(port >> 8);
    out += static_cast<char>(port & 0xFF);
}

std::uint16_t PortAt(const std::uint8_t* data)
{
    return static_cast<std::uint16_t>((data[0] << 8) | data[1]);
}

} // namespace

Outcome ParseMethodReply(const std::uint8_t* data, std::size_t size, int& method)
{
    if (size < 2)
        return {};
    if (data[0] != 5)
        return Fail(20002, "socks version error");
    method = data[1];
    return Complete(2);
}

Outcome ParseAuthReply(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return {};
    if (data[0] != 1)
        return Fail(20002, "socks version error");
    if (data[1] != 0)
        return Fail(20015, "socks authentication failed");
    if (size > 2)
        return Fail(20001, "too much data availaible");
    return Complete(2);
}

Outcome ParseSocks4Reply(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return {};
    if (data[0] != 0)
        return Fail(20002, "socks version error");
    switch (data[1]) {
    case 90: return Complete(8);
    case 91: return Fail(20016, "request rejected or failed");
    case 92: return Fail(20008, "connection refused");
    case 93: return Fail(20015, "authentification failed");
    default: return Unassigned(data[1]);
    }
}

Outcome ParseSocks5Reply(const std::uint8_t* data, std::size_t size, AnsiString& boundAddr, AnsiString& boundPort)
{
    if (size < 2)
        return {};
    if (data[0] != 5)
        return Fail(20002, "socks version error");
    if (data[1] != 0)
        return Socks5ReplyError(data[1]);
    if (size < 5)
        return {};
    const int type = data[3];
    const std::size_t needed = type == 1 ? 10 : type == 3 ? 7 + std::size_t(data[4]) : 5;
    if (size < needed)
        return {};
    if (type == 1) {
        char text[16];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", data[4], data[5], data[6], data[7]);
        boundAddr = text;
        boundPort = std::to_string(PortAt(data + 8));
        return Complete(needed);
    }
    if (type == 3) {
        boundAddr.assign(reinterpret_cast<const char*>(data + 5), data[4]);
        boundPort = std::to_string(PortAt(data + 5 + data[4]));
        return Complete(needed);
    }
    return Fail(20011, "address type not supported");
}

AnsiString Socks5Greeting(bool offerUserCode)
{
    return AnsiString{5, 1, static_cast<char>(offerUserCode ? 2 : 0)};
}

AnsiString Socks5AuthRequest(const AnsiString& userCode, const AnsiString& password)
{
    AnsiString out{1};
    out += static_cast<char>(userCode.size());
    out += userCode;
    out += static_cast<char>(password.size());
    out += password;
    return out;
}

AnsiString Socks5ConnectRequest(const AnsiString& host, std::uint16_t port)
{
    AnsiString out{5, 1, 0, 3};
    out += static_cast<char>(host.size());
    out += host;
    AppendPort(out, port);
    return out;
}

AnsiString Socks4ConnectRequest(std::uint16_t port, std::uint32_t address, const AnsiString& userCode)
{
    AnsiString out{4, 1};
    AppendPort(out, port);
    out.append(reinterpret_cast<const char*>(&address), 4);
    out += userCode;
    out += '\0';
    return out;
}

AnsiString Socks4AConnectRequest(std::uint16_t port, const AnsiString& userCode, const AnsiString& host)
{
    AnsiString out{4, 1};
    AppendPort(out, port);
    out += AnsiString{0, 0, 0, 1};
    out += userCode;
    out += '\0';
    out += host;
    out += '\0';
    return out;
}

} // namespace socks
