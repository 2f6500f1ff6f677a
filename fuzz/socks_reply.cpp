// SOCKS replies come from the network: every parser must take any bytes, fed in any pieces,
// without reading past them, and a reply it calls complete must lie within what it was given.
#include "net/SocksProtocol.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int which = data[0] % 4;
    ++data;
    --size;
    // Grow the input a byte at a time, as replies arrive piece by piece, up to the buffer's room.
    const std::size_t limit = size < socks::kReplyCapacity ? size : socks::kReplyCapacity;
    for (std::size_t n = 0; n <= limit; ++n) {
        socks::Outcome outcome;
        AnsiString addr, port;
        int method = -1;
        switch (which) {
        case 0: outcome = socks::ParseMethodReply(data, n, method); break;
        case 1: outcome = socks::ParseAuthReply(data, n); break;
        case 2: outcome = socks::ParseSocks4Reply(data, n); break;
        default: outcome = socks::ParseSocks5Reply(data, n, addr, port); break;
        }
        if (outcome.kind == socks::Outcome::Done && (outcome.length == 0 || outcome.length > n))
            std::abort();
        if (outcome.kind == socks::Outcome::Failed && (outcome.error < 20001 || outcome.error > 20016))
            std::abort();
        if (outcome.kind != socks::Outcome::NeedMore)
            break;
    }
    return 0;
}
