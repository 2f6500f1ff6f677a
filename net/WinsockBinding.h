// The binding to the socket library: loaded and started on first use, each function reached by
// name once and its entry point kept, unloaded when the last socket object goes.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/winsock/Winsock.h"

using winsock::FARPROC;
using winsock::HANDLE;
using winsock::SOCKET;
using winsock::u_long;
using winsock::u_short;

// Loads and starts the library when needed; null for an empty name (load only). Raises
// ESocketException when the library cannot start or the name is unknown.
FARPROC AsyncSocketGetProc(const AnsiString& procName);
// Cleans up and unloads; the next call loads, starts and looks every entry point up afresh.
void AsyncSocketUnloadWinsock();
bool AsyncSocketWinsockLoaded();

// Socket objects in existence; the last one to go unloads the library.
void AsyncSocketCountUp();
void AsyncSocketCountDown();
int AsyncSocketLiveCount();

int AsyncSocket_WSAStartup(winsock::WORD versionRequested, winsock::WSADATA* data);
int AsyncSocket_WSACleanup();
void AsyncSocket_WSASetLastError(int error);
int AsyncSocket_WSAGetLastError();
int AsyncSocket_WSACancelAsyncRequest(HANDLE request);
HANDLE AsyncSocket_WSAAsyncGetHostByName(HWND window, UINT msg, const char* name, char* buffer, int length);
HANDLE AsyncSocket_WSAAsyncGetHostByAddr(HWND window, UINT msg, const char* address, int length, int type,
                                         char* buffer, int bufferLength);
int AsyncSocket_WSAAsyncSelect(SOCKET s, HWND window, UINT msg, long events);
winsock::servent* AsyncSocket_getservbyname(const char* name, const char* proto);
winsock::protoent* AsyncSocket_getprotobyname(const char* name);
winsock::hostent* AsyncSocket_gethostbyname(const char* name);
SOCKET AsyncSocket_socket(int af, int type, int protocol);
int AsyncSocket_shutdown(SOCKET s, int how);
int AsyncSocket_setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
int AsyncSocket_sendto(SOCKET s, const char* buf, int len, int flags, const winsock::sockaddr* to, int tolen);
int AsyncSocket_send(SOCKET s, const char* buf, int len, int flags);
u_short AsyncSocket_ntohs(u_short value);
int AsyncSocket_listen(SOCKET s, int backlog);
int AsyncSocket_ioctlsocket(SOCKET s, long cmd, u_long* argp);
char* AsyncSocket_inet_ntoa(winsock::in_addr address);
u_long AsyncSocket_inet_addr(const char* text);
u_short AsyncSocket_htons(u_short value);
int AsyncSocket_getsockname(SOCKET s, winsock::sockaddr* name, int* namelen);
int AsyncSocket_getpeername(SOCKET s, winsock::sockaddr* name, int* namelen);
int AsyncSocket_connect(SOCKET s, const winsock::sockaddr* name, int namelen);
int AsyncSocket_closesocket(SOCKET s);
int AsyncSocket_bind(SOCKET s, const winsock::sockaddr* name, int namelen);
SOCKET AsyncSocket_accept(SOCKET s, winsock::sockaddr* addr, int* addrlen);
int AsyncSocket_recv(SOCKET s, char* buf, int len, int flags);
int AsyncSocket_recvfrom(SOCKET s, char* buf, int len, int flags, winsock::sockaddr* from, int* fromlen);
