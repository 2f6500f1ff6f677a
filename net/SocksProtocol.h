// SOCKS 4, 4A and 5 messages: building the requests and reading the server's replies. Pure byte
// work, kept apart from the socket so that it can be fuzzed.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstddef>
#include <cstdint>

namespace socks {

// Room for the longest reply there is: a SOCKS 5 reply with a 255-byte domain name.
constexpr std::size_t kReplyCapacity = 4 + 1 + 255 + 2;
// Longest user code, password or host name the length-prefixed fields can carry.
constexpr std::size_t kMaxField = 255;

struct Outcome {
    enum Kind { NeedMore, Done, Failed };
    Kind kind = NeedMore;
    int error = 0;           // a 2000x code when Failed
    AnsiString message;      // its text
    std::size_t length = 0;  // bytes of the reply when Done; anything behind them is data
};

// SOCKS 5 method selection: version and chosen method (checked by the caller).
Outcome ParseMethodReply(const std::uint8_t* data, std::size_t size, int& method);
// SOCKS 5 user-code authentication answer.
Outcome ParseAuthReply(const std::uint8_t* data, std::size_t size);
// SOCKS 4 and 4A answer to the connect request.
Outcome ParseSocks4Reply(const std::uint8_t* data, std::size_t size);
// SOCKS 5 answer to the connect request, with the bound address and port as text.
Outcome ParseSocks5Reply(const std::uint8_t* data, std::size_t size, AnsiString& boundAddr, AnsiString& boundPort);

AnsiString Socks5Greeting(bool offerUserCode);
AnsiString Socks5AuthRequest(const AnsiString& userCode, const AnsiString& password);
// The destination always travels as a domain name; `port` in host order.
AnsiString Socks5ConnectRequest(const AnsiString& host, std::uint16_t port);
// `address` in network order.
AnsiString Socks4ConnectRequest(std::uint16_t port, std::uint32_t address, const AnsiString& userCode);
AnsiString Socks4AConnectRequest(std::uint16_t port, const AnsiString& userCode, const AnsiString& host);

} // namespace socks
