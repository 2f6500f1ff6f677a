// The address properties, local and peer addresses, and the send flags.
#include "net/CustomAsyncSocket.h"
#include "platform/core/SysUtils.h"

using namespace winsock;

namespace {
const char* const kError = "error";
} // namespace

template <typename Setter>
void TCustomAsyncSocket::SetWhileClosed(const char* what, Setter set)
{
    if (FState != wsClosed) {
        AnsiString message = "Cannot change ";
        message += what;
        message += " if not closed";
        RaiseException(message);
        return;
    }
    set();
}

namespace {

// Trimmed text with its given and converted flags, as the three remote settings keep them.
void StoreGiven(const AnsiString& value, AnsiString& text, bool& given, bool& converted)
{
    if (given && value == text)
        return;
    text = Trim(value);
    converted = false;
    given = !text.empty();
}

} // namespace

void TCustomAsyncSocket::SetAddr(const AnsiString& value)
{
    SetWhileClosed("Addr", [&] { StoreGiven(value, FAddrText, FAddrGiven, FAddrConverted); });
}

void TCustomAsyncSocket::SetPort(const AnsiString& value)
{
    SetWhileClosed("Port", [&] { StoreGiven(value, FPortText, FPortGiven, FPortConverted); });
}

void TCustomAsyncSocket::SetProto(const AnsiString& value)
{
    SetWhileClosed("Proto", [&] { StoreGiven(value, FProtoText, FProtoGiven, FProtoConverted); });
}

void TCustomAsyncSocket::SetLocalPort(const AnsiString& value)
{
    SetWhileClosed("LocalPort", [&] {
        FLocalPortText = value;
        FLocalPortConverted = false;
    });
}

void TCustomAsyncSocket::SetLocalAddr(const AnsiString& value)
{
    SetWhileClosed("LocalAddr", [&] {
        AnsiString text = value.empty() ? AnsiString("0.0.0.0") : value;
        u_long address = AsyncSocket_inet_addr(text.c_str());
        if (address == WS_INADDR_NONE && Trim(text) != "255.255.255.255") {
            RaiseException("SetLocalAddr(): Invalid IP address");
            return;
        }
        in_addr converted {};
        converted.s_addr = static_cast<std::uint32_t>(address);
        FLocalAddr = AsyncSocket_inet_ntoa(converted);
    });
}

int TCustomAsyncSocket::GetSockName(sockaddr_in& name, int& nameLength)
{
    return AsyncSocket_getsockname(FHSocket, reinterpret_cast<sockaddr*>(&name), &nameLength);
}

bool TCustomAsyncSocket::LocalAddress(sockaddr_in& local)
{
    if (FState != wsBound && FState != wsConnected && FState != wsListening)
        return false;
    int length = sizeof local;
    return GetSockName(local, length) == 0;
}

AnsiString TCustomAsyncSocket::GetXAddr()
{
    sockaddr_in local {};
    return LocalAddress(local) ? AnsiString(AsyncSocket_inet_ntoa(local.sin_addr)) : kError;
}

AnsiString TCustomAsyncSocket::GetXPort()
{
    sockaddr_in local {};
    return LocalAddress(local) ? std::to_string(AsyncSocket_ntohs(local.sin_port)) : kError;
}

int TCustomAsyncSocket::GetPeerName(sockaddr_in& name, int& nameLength)
{
    if (FState != wsConnected)
        return -1;
    return AsyncSocket_getpeername(FHSocket, reinterpret_cast<sockaddr*>(&name), &nameLength);
}

bool TCustomAsyncSocket::PeerAddress(sockaddr_in& peer, const char* function)
{
    if (FState != wsConnected)
        return false;
    int length = sizeof peer;
    if (AsyncSocket_getpeername(FHSocket, reinterpret_cast<sockaddr*>(&peer), &length) == 0)
        return true;
    SocketError(function);
    return false;
}

AnsiString TCustomAsyncSocket::GetPeerAddr()
{
    sockaddr_in peer {};
    return PeerAddress(peer, "GetPeerName") ? AnsiString(AsyncSocket_inet_ntoa(peer.sin_addr)) : kError;
}

AnsiString TCustomAsyncSocket::GetPeerPort()
{
    sockaddr_in peer {};
    return PeerAddress(peer, "GetPeerPort") ? std::to_string(AsyncSocket_ntohs(peer.sin_port)) : kError;
}

void TCustomAsyncSocket::SetSendFlags(TSocketSendFlags value)
{
    switch (value) {
    case wsSendNormal: FSendFlagBits = 0; break;
    case wsSendUrgent: FSendFlagBits = WS_MSG_OOB; break;
    default: RaiseException("Invalid SendFlags"); break;
    }
}

TSocketSendFlags TCustomAsyncSocket::SendFlags()
{
    switch (FSendFlagBits) {
    case 0: return wsSendNormal;
    case WS_MSG_OOB: return wsSendUrgent;
    default:
        RaiseException("Invalid internal SendFlags");
        return wsSendNormal;
    }
}
