// Entry points by name, for a program that reaches the socket library the way it would a DLL.
#include "platform/winsock/Winsock.h"
#include <cstring>

namespace winsock {

namespace {

template <typename F>
FARPROC Entry(F* function)
{
    return reinterpret_cast<FARPROC>(function);
}

struct Export {
    const char* name;
    FARPROC entry;
};

} // namespace

FARPROC GetProcAddress(const char* name)
{
    static const Export exports[] = {
        {"WSAStartup", Entry(&WSAStartup)},
        {"WSACleanup", Entry(&WSACleanup)},
        {"WSASetLastError", Entry(&WSASetLastError)},
        {"WSAGetLastError", Entry(&WSAGetLastError)},
        {"WSACancelAsyncRequest", Entry(&WSACancelAsyncRequest)},
        {"WSAAsyncGetHostByName", Entry(&WSAAsyncGetHostByName)},
        {"WSAAsyncGetHostByAddr", Entry(&WSAAsyncGetHostByAddr)},
        {"WSAAsyncSelect", Entry(&WSAAsyncSelect)},
        {"getservbyname", Entry(&getservbyname)},
        {"getprotobyname", Entry(&getprotobyname)},
        {"gethostbyname", Entry(&gethostbyname)},
        {"socket", Entry(&socket)},
        {"shutdown", Entry(&shutdown)},
        {"setsockopt", Entry(&setsockopt)},
        {"sendto", Entry(&sendto)},
        {"send", Entry(&send)},
        {"ntohs", Entry(&ntohs)},
        {"listen", Entry(&listen)},
        {"ioctlsocket", Entry(&ioctlsocket)},
        {"inet_ntoa", Entry(&inet_ntoa)},
        {"inet_addr", Entry(&inet_addr)},
        {"htons", Entry(&htons)},
        {"htonl", Entry(&htonl)},
        {"getsockname", Entry(&getsockname)},
        {"getpeername", Entry(&getpeername)},
        {"connect", Entry(&connect)},
        {"closesocket", Entry(&closesocket)},
        {"bind", Entry(&bind)},
        {"accept", Entry(&accept)},
        {"recv", Entry(&recv)},
        {"recvfrom", Entry(&recvfrom)},
    };
    if (!name)
        return nullptr;
    for (const auto& e : exports)
        if (std::strcmp(e.name, name) == 0)
            return e.entry;
    return nullptr;
}

} // namespace winsock
