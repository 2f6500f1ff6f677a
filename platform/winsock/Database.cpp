// The database calls and address conversions. Small images may lack /etc/protocols or
// /etc/services, so "tcp", "udp" and "http" have built-in entries.
#include "platform/winsock/HostEntry.h"
#include "platform/winsock/SocketTable.h"
#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <strings.h>

namespace winsock {

using namespace detail;

namespace {

struct ServiceStore {
    servent entry {};
    char buffer[1024] {};
    char name[64] {};
    char proto[16] {};
    char* aliases[1] = {nullptr};
};

struct ProtocolStore {
    protoent entry {};
    char buffer[1024] {};
    char name[16] {};
    char* aliases[1] = {nullptr};
};

thread_local ServiceStore serviceStore;
thread_local ProtocolStore protocolStore;
alignas(hostent) thread_local char hostStore[4096];

servent* BuiltInService(const char* name, const char* proto)
{
    if (strcasecmp(name, "http") != 0 || (proto && *proto && strcasecmp(proto, "tcp") != 0))
        return nullptr;
    auto& s = serviceStore;
    std::strcpy(s.name, "http");
    std::strcpy(s.proto, "tcp");
    s.entry = servent{s.name, s.aliases, static_cast<int>(::htons(80)), s.proto};
    return &s.entry;
}

protoent* BuiltInProtocol(const char* name)
{
    int number = strcasecmp(name, "tcp") == 0 ? 6 : strcasecmp(name, "udp") == 0 ? 17 : -1;
    if (number < 0)
        return nullptr;
    auto& p = protocolStore;
    std::strcpy(p.name, number == 6 ? "tcp" : "udp");
    p.entry = protoent{p.name, p.aliases, number};
    return &p.entry;
}

// The database calls need the library started and a name to look up.
bool CanLookUp(const char* name)
{
    if (!Started()) {
        FailWith(WSANOTINITIALISED);
        return false;
    }
    if (!name) {
        FailWith(WSAEFAULT);
        return false;
    }
    return true;
}

} // namespace

servent* getservbyname(const char* name, const char* proto)
{
    if (!CanLookUp(name))
        return nullptr;
    servent* found = nullptr;
    auto& s = serviceStore;
    if (::getservbyname_r(name, proto, &s.entry, s.buffer, sizeof s.buffer, &found) == 0 && found)
        return found;
    if (servent* builtIn = BuiltInService(name, proto))
        return builtIn;
    FailWith(WSANO_DATA);
    return nullptr;
}

protoent* getprotobyname(const char* name)
{
    if (!CanLookUp(name))
        return nullptr;
    protoent* found = nullptr;
    auto& p = protocolStore;
    if (::getprotobyname_r(name, &p.entry, p.buffer, sizeof p.buffer, &found) == 0 && found)
        return found;
    if (protoent* builtIn = BuiltInProtocol(name))
        return builtIn;
    FailWith(WSANO_DATA);
    return nullptr;
}

hostent* gethostbyname(const char* name)
{
    if (!CanLookUp(name))
        return nullptr;
    HostResult host = ResolveName(name);
    if (host.error != 0) {
        FailWith(host.error);
        return nullptr;
    }
    if (PackHostEntry(host, hostStore, sizeof hostStore) > static_cast<int>(sizeof hostStore)) {
        FailWith(WSAENOBUFS);
        return nullptr;
    }
    return reinterpret_cast<hostent*>(hostStore);
}

u_short htons(u_short value) { return ::htons(value); }
u_short ntohs(u_short value) { return ::ntohs(value); }
u_long htonl(u_long value) { return ::htonl(static_cast<std::uint32_t>(value)); }

u_long inet_addr(const char* text)
{
    if (!text)
        return WS_INADDR_NONE;
    // The library's forms: a.b.c.d, a.b.c, a.b and a, each part decimal, octal or hexadecimal.
    in_addr address {};
    if (::inet_aton(text, &address) == 0)
        return WS_INADDR_NONE;
    return address.s_addr;
}

char* inet_ntoa(in_addr address)
{
    return ::inet_ntoa(address);
}

} // namespace winsock
