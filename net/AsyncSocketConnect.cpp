// Connecting: checks, resolution, the socket and its options, then connect with the outcome
// reported as FD_CONNECT.
#include "net/CustomAsyncSocket.h"
#include "net/Resolve.h"

using namespace winsock;

namespace {

const int kTrue = -1; // the library's BOOL option value

bool SetBoolOption(SOCKET s, int level, int option, int value)
{
    return AsyncSocket_setsockopt(s, level, option, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

} // namespace

void TCustomAsyncSocket::Connect()
{
    if (HandleValid() && FState != wsClosed) {
        RaiseException("Connect: Socket already in use");
        return;
    }
    if (!FPortGiven) {
        RaiseException("Connect: No Port Specified");
        return;
    }
    if (!FAddrGiven) {
        RaiseException("Connect: No IP Address Specified");
        return;
    }
    if (!FProtoGiven) {
        RaiseException("Connect: No Protocol Specified");
        return;
    }
    ResolveRemote();
    if (!FLocalPortConverted) {
        FLocalPortNumber = AsyncSocketResolvePort(FLocalPortText, FProtoText);
        FLocalPortConverted = true;
    }
    DeleteBufferedData();
    FClosedReported = false; // a new connection gets its own close report
    FHSocket = AsyncSocket_socket(FAddressFamily, FSocketType, FProtoNumber);
    if (!HandleValid()) {
        SocketError("Connect (socket)");
        return;
    }
    ChangeState(wsOpened);
    bool prepared = FSocketType == SOCK_STREAM ? PrepareStreamSocket() : PrepareDatagramSocket();
    if (!prepared)
        return;
    FEventMask = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
    if (AsyncSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FEventMask) != 0) {
        SocketError("WSAAsyncSelect");
        return;
    }
    if (FSocketType == SOCK_DGRAM) {
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
        return;
    }
    int result = AsyncSocket_connect(FHSocket, reinterpret_cast<const sockaddr*>(&FRemoteSockAddr), sizeof FRemoteSockAddr);
    if (result == 0 || AsyncSocket_WSAGetLastError() == WSAEWOULDBLOCK) {
        ChangeState(wsConnecting);
        return;
    }
    FLastError = AsyncSocket_WSAGetLastError();
    SocketError("Connect");
}

void TCustomAsyncSocket::ResolveRemote()
{
    if (!FProtoConverted) {
        FProtoNumber = AsyncSocketResolveProto(FProtoText);
        FSocketType = FProtoNumber == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
        FProtoConverted = true;
    }
    if (!FPortConverted) {
        FPortNumber = AsyncSocketResolvePort(FPortText, FProtoText);
        FRemoteSockAddr.sin_port = AsyncSocket_htons(FPortNumber);
        FPortConverted = true;
    }
    if (!FAddrConverted) {
        FRemoteSockAddr.sin_addr.s_addr = AsyncSocketResolveHost(FAddrText);
        FAddrConverted = true;
    }
}

bool TCustomAsyncSocket::PrepareStreamSocket()
{
    if (!SetBoolOption(FHSocket, WS_SOL_SOCKET, WS_SO_REUSEADDR, kTrue)) {
        SocketError("setsockopt(SO_REUSEADDR)");
        return false;
    }
    if ((FComponentOptions & wsoTcpNoDelay) && !SetBoolOption(FHSocket, IPPROTO_TCP, WS_TCP_NODELAY, kTrue)) {
        SocketError("setsockopt(IPPROTO_TCP, TCP_NODELAY)");
        return false;
    }
    SetLingerOption();
    if (!SetBoolOption(FHSocket, WS_SOL_SOCKET, WS_SO_KEEPALIVE, kTrue)) {
        SocketError("setsockopt(SO_KEEPALIVE)");
        return false;
    }
    if (FLocalPortNumber != 0 || FLocalAddr != "0.0.0.0")
        BindSocket();
    return true;
}

bool TCustomAsyncSocket::PrepareDatagramSocket()
{
    BindSocket();
    if (FMultiCast && FMultiCastIpTTL != 1) {
        int ttl = FMultiCastIpTTL;
        // Called directly, not through the binding, as the multicast options always were.
        if (winsock::setsockopt(FHSocket, IPPROTO_IP, WS_IP_MULTICAST_TTL, reinterpret_cast<const char*>(&ttl), sizeof ttl) != 0) {
            SocketError("setsockopt(IP_MULTICAST_TTL)");
            return false;
        }
    }
    if (FRemoteSockAddr.sin_addr.s_addr == WS_INADDR_NONE && !SetBoolOption(FHSocket, WS_SOL_SOCKET, WS_SO_BROADCAST, 1)) {
        SocketError("setsockopt(SO_BROADCAST)");
        return false;
    }
    return true;
}

void TCustomAsyncSocket::SetLingerOption()
{
    if (FLingerOnOff == wsLingerNoSet)
        return;
    if (!HandleValid()) {
        RaiseException("Cannot set linger option at this time");
        return;
    }
    winsock::linger value;
    value.l_onoff = static_cast<u_short>(FLingerOnOff);
    value.l_linger = static_cast<u_short>(FLingerTimeout);
    if (AsyncSocket_setsockopt(FHSocket, WS_SOL_SOCKET, WS_SO_LINGER, reinterpret_cast<const char*>(&value), sizeof value) != 0)
        SocketError("setsockopt(SO_LINGER)");
}

void TCustomAsyncSocket::BindSocket()
{
    sockaddr_in local {};
    local.sin_family = AF_INET;
    local.sin_port = AsyncSocket_htons(FLocalPortNumber);
    local.sin_addr.s_addr = AsyncSocketResolveHost(FLocalAddr);
    if (AsyncSocket_bind(FHSocket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        RaiseException("winsock.bind failed, error #" + std::to_string(AsyncSocket_WSAGetLastError()));
        return;
    }
    int length = sizeof local;
    if (AsyncSocket_getsockname(FHSocket, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        RaiseException("winsock.getsockname failed, error #" + std::to_string(AsyncSocket_WSAGetLastError()));
        return;
    }
    FLocalPortNumber = AsyncSocket_ntohs(local.sin_port);
    FLocalPortText = std::to_string(FLocalPortNumber);
}
