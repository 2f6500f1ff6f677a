#include "platform/winsock/HostEntry.h"
#include "platform/winsock/SocketTable.h"
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>

namespace winsock::detail {

namespace {

int MapResolverError(int code)
{
    switch (code) {
    case EAI_NONAME: return WSAHOST_NOT_FOUND;
    case EAI_AGAIN: return WSATRY_AGAIN;
#ifdef EAI_NODATA
    case EAI_NODATA: return WSANO_DATA;
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY: return WSANO_DATA;
#endif
    case EAI_MEMORY: return WSAENOBUFS;
    case EAI_SYSTEM: return MapErrno(errno);
    default: return WSANO_RECOVERY;
    }
}

std::size_t AlignUp(std::size_t offset, std::size_t alignment)
{
    return (offset + alignment - 1) / alignment * alignment;
}

} // namespace

HostResult ResolveName(const std::string& name)
{
    HostResult result;
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    int code = ::getaddrinfo(name.c_str(), nullptr, &hints, &list);
    if (code != 0) {
        result.error = MapResolverError(code);
        return result;
    }
    result.name = list->ai_canonname ? list->ai_canonname : name;
    for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        auto address = reinterpret_cast<sockaddr_in*>(ai->ai_addr)->sin_addr.s_addr;
        bool seen = false;
        for (auto known : result.addresses)
            seen = seen || known == address;
        if (!seen)
            result.addresses.push_back(address);
    }
    ::freeaddrinfo(list);
    if (result.addresses.empty())
        result.error = WSANO_DATA;
    return result;
}

HostResult ResolveAddress(std::uint32_t address)
{
    HostResult result;
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    char host[NI_MAXHOST];
    int code = ::getnameinfo(reinterpret_cast<sockaddr*>(&sa), sizeof sa, host, sizeof host, nullptr, 0, NI_NAMEREQD);
    if (code != 0) {
        result.error = MapResolverError(code);
        return result;
    }
    result.name = host;
    result.addresses.push_back(address);
    return result;
}

namespace {

struct Layout {
    std::size_t aliasesAt, listAt, bytesAt, nameAt, needed;
};

Layout LayoutFor(std::size_t count, std::size_t nameLength)
{
    Layout l {};
    l.aliasesAt = AlignUp(sizeof(hostent), alignof(char*));
    l.listAt = l.aliasesAt + sizeof(char*);
    l.bytesAt = l.listAt + (count + 1) * sizeof(char*);
    l.nameAt = l.bytesAt + count * 4;
    l.needed = l.nameAt + nameLength + 1;
    return l;
}

} // namespace

int PackHostEntry(const HostResult& host, char* buffer, int length)
{
    std::size_t count = host.addresses.size();
    Layout l = LayoutFor(count, host.name.size());
    // A host with more addresses than fit keeps its first ones.
    while (count > 1 && (length < 0 || l.needed > static_cast<std::size_t>(length)))
        l = LayoutFor(--count, host.name.size());
    if (length < 0 || l.needed > static_cast<std::size_t>(length) || !buffer)
        return static_cast<int>(l.needed);
    // Pointers go in by memcpy: the caller's buffer need not be aligned for them.
    std::vector<char*> pointers(count + 2, nullptr); // [0] ends the empty alias list
    for (std::size_t i = 0; i < count; ++i) {
        pointers[1 + i] = buffer + l.bytesAt + i * 4;
        std::memcpy(buffer + l.bytesAt + i * 4, &host.addresses[i], 4);
    }
    hostent entry {};
    entry.h_name = buffer + l.nameAt;
    entry.h_aliases = reinterpret_cast<char**>(buffer + l.aliasesAt);
    entry.h_addrtype = AF_INET;
    entry.h_length = 4;
    entry.h_addr_list = reinterpret_cast<char**>(buffer + l.listAt);
    std::memcpy(buffer, &entry, sizeof entry);
    std::memcpy(buffer + l.aliasesAt, &pointers[0], sizeof(char*));
    std::memcpy(buffer + l.listAt, &pointers[1], (count + 1) * sizeof(char*));
    std::memcpy(buffer + l.nameAt, host.name.c_str(), host.name.size() + 1);
    return static_cast<int>(l.needed);
}

} // namespace winsock::detail
