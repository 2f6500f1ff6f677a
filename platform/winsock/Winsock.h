// A Windows Sockets 1.1 binding over POSIX sockets: the 1.1 names, option numbers and error codes,
// with handles of our own that are never reused (a message posted for a closed socket can never
// reach a newer one), a per-thread last error, WSAAsyncSelect driven by the Qt event loop and
// name look-ups run on worker threads. Everything lives in namespace winsock so that the 1.1
// names do not collide with the C library's.
#pragma once
#include "platform/messages/Messages.h"
#include <cstdint>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

// The C library may define these as macros; ours are functions of the same names.
#undef htons
#undef ntohs
#undef htonl
#undef ntohl

namespace winsock {

using SOCKET = std::uintptr_t;
using HANDLE = std::uintptr_t;
using u_short = unsigned short;
using u_long = unsigned long;
using WORD = std::uint16_t;

constexpr SOCKET INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;
constexpr u_long WS_INADDR_NONE = 0xFFFFFFFFul;

struct WSADATA {
    WORD wVersion = 0;
    WORD wHighVersion = 0;
    char szDescription[257] {};
    char szSystemStatus[129] {};
    unsigned short iMaxSockets = 0;
    unsigned short iMaxUdpDg = 0;
};

// The 1.1 layout of the socket address and host, service and protocol entries is the POSIX one.
using ::hostent;
using ::in_addr;
using ::protoent;
using ::servent;
using ::sockaddr;
using ::sockaddr_in;

// Option levels and names as Windows Sockets 1.1 numbers them, translated on the way down. The C
// library defines the same names as macros with Linux's numbers, hence the WS_ prefix. Protocol
// numbers, address families and socket types are the same on both and are used as they are.
constexpr int WS_SOL_SOCKET = 0xFFFF;
constexpr int WS_SO_DEBUG = 0x0001;
constexpr int WS_SO_REUSEADDR = 0x0004;
constexpr int WS_SO_KEEPALIVE = 0x0008;
constexpr int WS_SO_DONTROUTE = 0x0010;
constexpr int WS_SO_BROADCAST = 0x0020;
constexpr int WS_SO_LINGER = 0x0080;
constexpr int WS_SO_OOBINLINE = 0x0100;
constexpr int WS_SO_SNDBUF = 0x1001;
constexpr int WS_SO_RCVBUF = 0x1002;
constexpr int WS_TCP_NODELAY = 0x0001;
constexpr int WS_IP_MULTICAST_IF = 2;
constexpr int WS_IP_MULTICAST_TTL = 3;
constexpr int WS_IP_MULTICAST_LOOP = 4;
constexpr int WS_IP_ADD_MEMBERSHIP = 5;
constexpr int WS_IP_DROP_MEMBERSHIP = 6;

// The 1.1 linger option: two 16-bit words.
struct linger {
    u_short l_onoff = 0;
    u_short l_linger = 0;
};

constexpr long WS_FIONREAD = 0x4004667F;
constexpr long WS_FIONBIO = static_cast<long>(0x8004667E);

constexpr int WS_MSG_OOB = 0x1;
constexpr int WS_MSG_PEEK = 0x2;

constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;

// Network events of WSAAsyncSelect.
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

constexpr int MAXGETHOSTSTRUCT = 1024;

// Error codes: WSABASEERR plus the BSD errno value, and the resolver's codes.
constexpr int WSABASEERR = 10000;
constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEDESTADDRREQ = 10039;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEPROTOTYPE = 10041;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEPROTONOSUPPORT = 10043;
constexpr int WSAESOCKTNOSUPPORT = 10044;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEPFNOSUPPORT = 10046;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETOOMANYREFS = 10059;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAELOOP = 10062;
constexpr int WSAENAMETOOLONG = 10063;
constexpr int WSAEHOSTDOWN = 10064;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAENOTEMPTY = 10066;
constexpr int WSAEPROCLIM = 10067;
constexpr int WSAEUSERS = 10068;
constexpr int WSAEDQUOT = 10069;
constexpr int WSAESTALE = 10070;
constexpr int WSAEREMOTE = 10071;
constexpr int WSASYSNOTREADY = 10091;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

constexpr LPARAM WSAMAKESELECTREPLY(int event, int error)
{
    return static_cast<LPARAM>((static_cast<std::uint32_t>(error & 0xFFFF) << 16) | (event & 0xFFFF));
}
constexpr int WSAGETSELECTEVENT(LPARAM lParam) { return static_cast<int>(lParam & 0xFFFF); }
constexpr int WSAGETSELECTERROR(LPARAM lParam) { return static_cast<int>((lParam >> 16) & 0xFFFF); }
constexpr int WSAGETASYNCBUFLEN(LPARAM lParam) { return static_cast<int>(lParam & 0xFFFF); }
constexpr int WSAGETASYNCERROR(LPARAM lParam) { return static_cast<int>((lParam >> 16) & 0xFFFF); }

int WSAStartup(WORD versionRequested, WSADATA* data);
int WSACleanup();
void WSASetLastError(int error);
int WSAGetLastError();

int WSAAsyncSelect(SOCKET s, HWND window, UINT msg, long events);
// The reply message carries the request handle in WParam and, in LParam, the error in the high
// word and the buffer length needed in the low word; the host entry is written into `buffer`.
HANDLE WSAAsyncGetHostByName(HWND window, UINT msg, const char* name, char* buffer, int bufferLength);
HANDLE WSAAsyncGetHostByAddr(HWND window, UINT msg, const char* address, int length, int type,
                             char* buffer, int bufferLength);
// Succeeds for a request still running and for one whose reply is already posted (that reply is
// then withdrawn); WSAEINVAL for an unknown or already delivered request.
int WSACancelAsyncRequest(HANDLE request);

// The database calls return per-thread storage that the next call of the same kind overwrites.
servent* getservbyname(const char* name, const char* proto);
protoent* getprotobyname(const char* name);
hostent* gethostbyname(const char* name);

SOCKET socket(int af, int type, int protocol);
int closesocket(SOCKET s);
int shutdown(SOCKET s, int how);
int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
int ioctlsocket(SOCKET s, long cmd, u_long* argp);
int bind(SOCKET s, const sockaddr* name, int namelen);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen);
int connect(SOCKET s, const sockaddr* name, int namelen);
int getsockname(SOCKET s, sockaddr* name, int* namelen);
int getpeername(SOCKET s, sockaddr* name, int* namelen);
int send(SOCKET s, const char* buf, int len, int flags);
int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen);
int recv(SOCKET s, char* buf, int len, int flags);
int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen);

u_short htons(u_short value);
u_short ntohs(u_short value);
u_long htonl(u_long value);
u_long inet_addr(const char* text);
char* inet_ntoa(in_addr address);

// The library stand-in: entry points looked up by name, as a program that loads the socket
// library at run time reaches them. Null for an unknown name.
using FARPROC = void (*)();
FARPROC GetProcAddress(const char* name);

} // namespace winsock
