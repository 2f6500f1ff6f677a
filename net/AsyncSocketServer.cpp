// The server side (listening, accepting, adopting a handle) and pausing the network events.
#include "net/CustomAsyncSocket.h"

using namespace winsock;

void TCustomAsyncSocket::Listen()
{
    const char* missing = !FPortGiven ? "listen: port not assigned"
                        : !FProtoGiven ? "listen: protocol not assigned"
                        : !FAddrGiven ? "listen: address not assigned"
                                      : nullptr;
    if (missing) {
        AsyncSocket_WSASetLastError(WSAEINVAL);
        SocketError(missing);
        return;
    }
    ResolveRemote();
    DeleteBufferedData();
    FClosedReported = false;
    FHSocket = AsyncSocket_socket(FAddressFamily, FSocketType, FProtoNumber);
    if (!HandleValid()) {
        SocketError("socket");
        return;
    }
    if (FSocketType == SOCK_DGRAM && FReuseAddr) {
        int on = -1;
        if (AsyncSocket_setsockopt(FHSocket, WS_SOL_SOCKET, WS_SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
            SocketError("setsockopt(SO_REUSEADDR)");
            return;
        }
    }
    if (AsyncSocket_bind(FHSocket, reinterpret_cast<const sockaddr*>(&FRemoteSockAddr), sizeof FRemoteSockAddr) != 0) {
        // The socket is closed whether or not the report below raises, so it never leaks.
        int error = AsyncSocket_WSAGetLastError();
        try {
            SocketError("Bind");
        } catch (...) {
            Close();
            AsyncSocket_WSASetLastError(error);
            throw;
        }
        Close();
        return;
    }
    ChangeState(wsBound);
    if (FSocketType == SOCK_DGRAM) {
        if (FMultiCast) {
            ip_mreq group {};
            group.imr_multiaddr.s_addr = static_cast<std::uint32_t>(winsock::inet_addr(FMultiCastAddrStr.c_str()));
            group.imr_interface.s_addr = static_cast<std::uint32_t>(winsock::htonl(0));
            if (winsock::setsockopt(FHSocket, IPPROTO_IP, WS_IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&group), sizeof group) != 0) {
                SocketError("setsockopt(IP MULTICAST)");
                return;
            }
        }
        ChangeState(wsListening);
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
    } else {
        if (AsyncSocket_listen(FHSocket, 5) != 0) {
            SocketError("Listen");
            return;
        }
        ChangeState(wsListening);
    }
    FEventMask = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;
    if (AsyncSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FEventMask) != 0)
        SocketError("WSAASyncSelect");
}

SOCKET TCustomAsyncSocket::Accept()
{
    if (FState != wsListening) {
        AsyncSocket_WSASetLastError(WSAEINVAL);
        SocketError("not a listening socket");
        return INVALID_SOCKET;
    }
    int length = sizeof FRemoteSockAddr;
    FAcceptedHandle = AsyncSocket_accept(FHSocket, reinterpret_cast<sockaddr*>(&FRemoteSockAddr), &length);
    if (FAcceptedHandle == INVALID_SOCKET) {
        SocketError("Accept");
        return INVALID_SOCKET;
    }
    return FAcceptedHandle;
}

void TCustomAsyncSocket::Dup(SOCKET handle)
{
    if (handle == 0 || handle == INVALID_SOCKET) {
        AsyncSocket_WSASetLastError(WSAEINVAL);
        SocketError("Dup");
        return;
    }
    if (FState != wsClosed) {
        if (AsyncSocket_closesocket(FHSocket) != 0) {
            SocketError("Dup (closesocket)");
            return;
        }
        ChangeState(wsClosed);
    }
    FHSocket = handle;
    FClosedReported = false;
    SetLingerOption();
    FEventMask = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;
    if (AsyncSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FEventMask) != 0) {
        SocketError("WSAAsyncSelect");
        return;
    }
    ChangeState(wsConnected);
}

int TCustomAsyncSocket::Pause()
{
    FEventsPaused = true;
    return AsyncSocket_WSAAsyncSelect(FHSocket, FWindowHandle, 0, 0);
}

int TCustomAsyncSocket::Resume()
{
    FEventsPaused = false;
    return AsyncSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FEventMask);
}
