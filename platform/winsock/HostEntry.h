// Internal: name look-ups and the host entry the library writes into a caller's buffer.
#pragma once
#include "platform/winsock/Winsock.h"
#include <cstdint>
#include <string>
#include <vector>

namespace winsock::detail {

struct HostResult {
    int error = 0; // a Windows Sockets code, 0 when found
    std::string name;
    std::vector<std::uint32_t> addresses; // IPv4, network order, in the resolver's order
};

// Blocking; run on worker threads for the asynchronous calls.
HostResult ResolveName(const std::string& name);
HostResult ResolveAddress(std::uint32_t address);

// Lays a hostent and everything it points to into `buffer`, dropping trailing addresses that do
// not fit. Returns the bytes needed; the entry is written only when that is no more than `length`.
int PackHostEntry(const HostResult& host, char* buffer, int length);

} // namespace winsock::detail
