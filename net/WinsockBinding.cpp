#include "net/WinsockBinding.h"
#include "net/SocketErrors.h"
#include <array>
#include <cstdio>

namespace {

const char* const kLibraryName = "wsock32.dll";
constexpr int kProcNotFound = 127; // the platform's "procedure not found"

enum ProcIndex {
    kWSAStartup, kWSACleanup, kWSASetLastError, kWSAGetLastError, kWSACancelAsyncRequest,
    kWSAAsyncGetHostByName, kWSAAsyncGetHostByAddr, kWSAAsyncSelect, kGetservbyname,
    kGetprotobyname, kGethostbyname, kSocket, kShutdown, kSetsockopt, kSendto, kSend, kNtohs,
    kListen, kIoctlsocket, kInetNtoa, kInetAddr, kHtons, kGetsockname, kGetpeername, kConnect,
    kClosesocket, kBind, kAccept, kRecv, kRecvfrom, kProcCount
};

struct Binding {
    bool loaded = false;
    winsock::WSADATA data;
    std::array<FARPROC, kProcCount> entries {};
    int liveSockets = 0;
};

// A plain global, made before and destroyed after the finaliser below.
Binding theBinding;

Binding& binding()
{
    return theBinding;
}

// Each wrapper looks its entry point up once and calls through it.
template <auto Function, typename... Args>
auto Call(ProcIndex index, const char* name, Args... args)
{
    FARPROC& entry = binding().entries[index];
    if (!entry)
        entry = AsyncSocketGetProc(name);
    return reinterpret_cast<decltype(Function)>(entry)(args...);
}

// Program end unloads the library, as the unit's finalisation does.
struct Finaliser {
    ~Finaliser() { AsyncSocketUnloadWinsock(); }
} finaliser;

} // namespace

FARPROC AsyncSocketGetProc(const AnsiString& procName)
{
    Binding& b = binding();
    if (!b.loaded) {
        b.loaded = true; // the start-up call below fetches its own entry point through here
        int result = AsyncSocket_WSAStartup(0x0101, &b.data);
        if (result != 0) {
            b.loaded = false;
            b.entries.fill(nullptr);
            char text[128];
            std::snprintf(text, sizeof text, "%s: WSAStartup error #%d", kLibraryName, result);
            throw ESocketException(text);
        }
    }
    if (procName.empty())
        return nullptr;
    FARPROC entry = winsock::GetProcAddress(procName.c_str());
    if (!entry)
        throw ESocketException("Procedure " + procName + " not found in " + kLibraryName + " Error #" +
                               std::to_string(kProcNotFound));
    return entry;
}

void AsyncSocketUnloadWinsock()
{
    Binding& b = binding();
    if (b.loaded) {
        AsyncSocket_WSACleanup();
        b.loaded = false;
        b.entries.fill(nullptr);
    }
    b.liveSockets = 0;
}

bool AsyncSocketWinsockLoaded()
{
    return binding().loaded;
}

void AsyncSocketCountUp()
{
    ++binding().liveSockets;
}

void AsyncSocketCountDown()
{
    if (--binding().liveSockets < 1)
        AsyncSocketUnloadWinsock();
}

int AsyncSocketLiveCount()
{
    return binding().liveSockets;
}

int AsyncSocket_WSAStartup(winsock::WORD versionRequested, winsock::WSADATA* data)
{
    return Call<&winsock::WSAStartup>(kWSAStartup, "WSAStartup", versionRequested, data);
}
int AsyncSocket_WSACleanup() { return Call<&winsock::WSACleanup>(kWSACleanup, "WSACleanup"); }
void AsyncSocket_WSASetLastError(int error)
{
    Call<&winsock::WSASetLastError>(kWSASetLastError, "WSASetLastError", error);
}
int AsyncSocket_WSAGetLastError() { return Call<&winsock::WSAGetLastError>(kWSAGetLastError, "WSAGetLastError"); }
int AsyncSocket_WSACancelAsyncRequest(HANDLE request)
{
    return Call<&winsock::WSACancelAsyncRequest>(kWSACancelAsyncRequest, "WSACancelAsyncRequest", request);
}
HANDLE AsyncSocket_WSAAsyncGetHostByName(HWND window, UINT msg, const char* name, char* buffer, int length)
{
    return Call<&winsock::WSAAsyncGetHostByName>(kWSAAsyncGetHostByName, "WSAAsyncGetHostByName", window, msg,
                                                 name, buffer, length);
}
HANDLE AsyncSocket_WSAAsyncGetHostByAddr(HWND window, UINT msg, const char* address, int length, int type,
                                         char* buffer, int bufferLength)
{
    return Call<&winsock::WSAAsyncGetHostByAddr>(kWSAAsyncGetHostByAddr, "WSAAsyncGetHostByAddr", window, msg,
                                                 address, length, type, buffer, bufferLength);
}
int AsyncSocket_WSAAsyncSelect(SOCKET s, HWND window, UINT msg, long events)
{
    return Call<&winsock::WSAAsyncSelect>(kWSAAsyncSelect, "WSAAsyncSelect", s, window, msg, events);
}
winsock::servent* AsyncSocket_getservbyname(const char* name, const char* proto)
{
    return Call<&winsock::getservbyname>(kGetservbyname, "getservbyname", name, proto);
}
winsock::protoent* AsyncSocket_getprotobyname(const char* name)
{
    return Call<&winsock::getprotobyname>(kGetprotobyname, "getprotobyname", name);
}
winsock::hostent* AsyncSocket_gethostbyname(const char* name)
{
    return Call<&winsock::gethostbyname>(kGethostbyname, "gethostbyname", name);
}
SOCKET AsyncSocket_socket(int af, int type, int protocol)
{
    return Call<&winsock::socket>(kSocket, "socket", af, type, protocol);
}
int AsyncSocket_shutdown(SOCKET s, int how) { return Call<&winsock::shutdown>(kShutdown, "shutdown", s, how); }
int AsyncSocket_setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen)
{
    return Call<&winsock::setsockopt>(kSetsockopt, "setsockopt", s, level, optname, optval, optlen);
}
int AsyncSocket_sendto(SOCKET s, const char* buf, int len, int flags, const winsock::sockaddr* to, int tolen)
{
    return Call<&winsock::sendto>(kSendto, "sendto", s, buf, len, flags, to, tolen);
}
int AsyncSocket_send(SOCKET s, const char* buf, int len, int flags)
{
    return Call<&winsock::send>(kSend, "send", s, buf, len, flags);
}
u_short AsyncSocket_ntohs(u_short value) { return Call<&winsock::ntohs>(kNtohs, "ntohs", value); }
int AsyncSocket_listen(SOCKET s, int backlog) { return Call<&winsock::listen>(kListen, "listen", s, backlog); }
int AsyncSocket_ioctlsocket(SOCKET s, long cmd, u_long* argp)
{
    return Call<&winsock::ioctlsocket>(kIoctlsocket, "ioctlsocket", s, cmd, argp);
}
char* AsyncSocket_inet_ntoa(winsock::in_addr address)
{
    return Call<&winsock::inet_ntoa>(kInetNtoa, "inet_ntoa", address);
}
u_long AsyncSocket_inet_addr(const char* text) { return Call<&winsock::inet_addr>(kInetAddr, "inet_addr", text); }
u_short AsyncSocket_htons(u_short value) { return Call<&winsock::htons>(kHtons, "htons", value); }
int AsyncSocket_getsockname(SOCKET s, winsock::sockaddr* name, int* namelen)
{
    return Call<&winsock::getsockname>(kGetsockname, "getsockname", s, name, namelen);
}
int AsyncSocket_getpeername(SOCKET s, winsock::sockaddr* name, int* namelen)
{
    return Call<&winsock::getpeername>(kGetpeername, "getpeername", s, name, namelen);
}
int AsyncSocket_connect(SOCKET s, const winsock::sockaddr* name, int namelen)
{
    return Call<&winsock::connect>(kConnect, "connect", s, name, namelen);
}
int AsyncSocket_closesocket(SOCKET s) { return Call<&winsock::closesocket>(kClosesocket, "closesocket", s); }
int AsyncSocket_bind(SOCKET s, const winsock::sockaddr* name, int namelen)
{
    return Call<&winsock::bind>(kBind, "bind", s, name, namelen);
}
SOCKET AsyncSocket_accept(SOCKET s, winsock::sockaddr* addr, int* addrlen)
{
    return Call<&winsock::accept>(kAccept, "accept", s, addr, addrlen);
}
int AsyncSocket_recv(SOCKET s, char* buf, int len, int flags)
{
    return Call<&winsock::recv>(kRecv, "recv", s, buf, len, flags);
}
int AsyncSocket_recvfrom(SOCKET s, char* buf, int len, int flags, winsock::sockaddr* from, int* fromlen)
{
    return Call<&winsock::recvfrom>(kRecvfrom, "recvfrom", s, buf, len, flags, from, fromlen);
}
