#include "net/SocksAsyncSocket.h"
#include "net/Resolve.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <cstring>

using namespace winsock;

void TCustomSocksAsyncSocket::AssignDefaultValue()
{
    TCustomAsyncSocket::AssignDefaultValue();
    FSocksLevel.assign(1, '5');
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksServerGiven = FSocksPortGiven = false;
    FSocksState = kIdle;
    FProxyConnecting = false;
    FRcvCnt = 0;
    FLeftover.clear();
}

void TCustomSocksAsyncSocket::SetSocksLevel(const AnsiString& value)
{
    if (FState != wsClosed) {
        RaiseException("Can't change socks level if not closed");
        return;
    }
    if (value != "4" && value != "5" && value != "4A" && value != "4a") {
        RaiseException("Invalid socks level. Must be 4, 4A or 5.");
        return;
    }
    FSocksLevel = UpperCase(value);
}

void TCustomSocksAsyncSocket::SetSocksServer(const AnsiString& value)
{
    if (FState != wsClosed) {
        RaiseException("Can't change socks server if not closed");
        return;
    }
    FSocksServer = Trim(value);
    FSocksServerGiven = !FSocksServer.empty();
}

void TCustomSocksAsyncSocket::SetSocksPort(const AnsiString& value)
{
    if (FState != wsClosed) {
        RaiseException("Can't change socks port if not closed");
        return;
    }
    FSocksPort = Trim(value);
    FSocksPortGiven = !FSocksPort.empty();
}

void TCustomSocksAsyncSocket::Listen()
{
    if (FSocksServerGiven) {
        RaiseException("Listening is not supported thru socks server");
        return;
    }
    TCustomAsyncSocket::Listen();
}

void TCustomSocksAsyncSocket::Connect()
{
    if (!FSocksServerGiven) {
        TCustomAsyncSocket::Connect();
        return;
    }
    if (!SameText(FProtoText, "tcp")) {
        RaiseException("tcp is the only protocol supported thru socks server");
        return;
    }
    try {
        // The connection goes to the proxy; the destination travels in the request.
        if (!FPortConverted) {
            FRemoteSockAddr.sin_port = AsyncSocket_htons(AsyncSocketResolvePort(FSocksPort, "tcp"));
            FPortConverted = true;
        }
        if (!FAddrConverted) {
            FRemoteSockAddr.sin_addr.s_addr = AsyncSocketResolveHost(FSocksServer);
            FAddrConverted = true;
        }
        FSocksDestPort = AsyncSocketResolvePort(FPortText, FProtoText);
    } catch (const ESocketException& e) {
        RaiseException("connect: " + e.Message);
        return;
    }
    FSocksState = kWaitMethod;
    FProxyConnecting = true;
    FRcvCnt = 0;
    FLeftover.clear();
    TCustomAsyncSocket::Connect();
}

void TCustomSocksAsyncSocket::TriggerSocksConnected(std::uint16_t error)
{
    if (OnSocksConnected && !Destroying())
        OnSocksConnected(this, error);
}

void TCustomSocksAsyncSocket::TriggerSocksError(int error, const AnsiString& message)
{
    if (OnSocksError && !Destroying())
        OnSocksError(this, error, message);
}

void TCustomSocksAsyncSocket::AuthState(int state)
{
    if (OnSocksAuthState && !Destroying())
        OnSocksAuthState(this, state);
}

void TCustomSocksAsyncSocket::TriggerSessionConnected(std::uint16_t error)
{
    if (!SocksNegotiating() || !FProxyConnecting) {
        TCustomAsyncSocket::TriggerSessionConnected(error);
        return;
    }
    FProxyConnecting = false;
    TriggerSocksConnected(error);
    if (error != 0) {
        TCustomAsyncSocket::TriggerSessionConnected(error);
        return;
    }
    if (IsLevel4())
        SendRequest();
    else
        SendStr(socks::Socks5Greeting(FSocksAuthentication == socksAuthenticateUsercode));
}

void TCustomSocksAsyncSocket::TriggerSessionClosed(std::uint16_t error)
{
    if (FSocksState == kAuthenticating)
        AuthState(2);
    TCustomAsyncSocket::TriggerSessionClosed(error);
}

bool TCustomSocksAsyncSocket::TriggerDataAvailable(std::uint16_t error)
{
    if (!SocksNegotiating())
        return TCustomAsyncSocket::TriggerDataAvailable(error);
    ReadNegotiation();
    return true;
}

void TCustomSocksAsyncSocket::ReadNegotiation()
{
    if (FSocksState == kWaitMethod && IsLevel4()) {
        SocksFail(20001, "TAsyncSocket logic error");
        return;
    }
    // The method answer is read to its two bytes only: nothing may follow it before our next
    // message. Later answers are read as far as the buffer goes; what lies behind a reply is data.
    std::size_t want = (FSocksState == kWaitMethod ? 2 : socks::kReplyCapacity) - FRcvCnt;
    if (want == 0) {
        SocksFail(20013, "internal error");
        return;
    }
    // Read past the layers above: these bytes are the proxy's, not the owner's.
    int count = TCustomAsyncSocket::DoRecv(FRcvBuf + FRcvCnt, static_cast<int>(want), 0);
    if (count < 0) {
        int error = AsyncSocket_WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            SocksFail(error, "data receive error");
        return;
    }
    if (count == 0)
        return; // the peer closed; FD_CLOSE reports it
    FRcvCnt += static_cast<std::size_t>(count);
    HandleReply();
}

void TCustomSocksAsyncSocket::HandleReply()
{
    socks::Outcome outcome;
    switch (FSocksState) {
    case kWaitMethod:
        outcome = socks::ParseMethodReply(FRcvBuf, FRcvCnt, FSocksMethod);
        if (outcome.kind != socks::Outcome::Done)
            break;
        FRcvCnt = 0;
        if (FSocksMethod == 0) {
            if (FSocksAuthentication == socksAuthenticateUsercode)
                AuthState(3);
            SendRequest();
        } else if (FSocksMethod == 2) {
            Authenticate();
        } else {
            SocksFail(20003, "authentification method not acceptable");
        }
        return;
    case kAuthenticating:
        outcome = socks::ParseAuthReply(FRcvBuf, FRcvCnt);
        if (outcome.kind != socks::Outcome::Done)
            break;
        FRcvCnt = 0;
        AuthState(1);
        SendRequest();
        return;
    case kRequestSent:
        outcome = IsLevel4() ? socks::ParseSocks4Reply(FRcvBuf, FRcvCnt)
                             : socks::ParseSocks5Reply(FRcvBuf, FRcvCnt, FBoundAddr, FBoundPort);
        if (outcome.kind == socks::Outcome::Done) {
            Granted(outcome.length);
            return;
        }
        break;
    default:
        SocksFail(20013, "internal error");
        return;
    }
    if (outcome.kind == socks::Outcome::Failed)
        SocksFail(outcome.error, outcome.message);
}

void TCustomSocksAsyncSocket::Authenticate()
{
    if (FSocksUsercode.size() > socks::kMaxField || FSocksPassword.size() > socks::kMaxField) {
        SocksFail(20014, "user code or password too long");
        return;
    }
    FSocksState = kAuthenticating;
    AuthState(0);
    SendStr(socks::Socks5AuthRequest(FSocksUsercode, FSocksPassword));
}

void TCustomSocksAsyncSocket::SendRequest()
{
    if (FAddrText.size() > socks::kMaxField || FSocksUsercode.size() > socks::kMaxField) {
        SocksFail(20014, "host name or user code too long");
        return;
    }
    FSocksState = kRequestSent;
    FRcvCnt = 0;
    if (FSocksLevel == "5")
        SendStr(socks::Socks5ConnectRequest(FAddrText, FSocksDestPort));
    else if (FSocksLevel == "4A")
        SendStr(socks::Socks4AConnectRequest(FSocksDestPort, FSocksUsercode, FAddrText));
    else
        SendStr(socks::Socks4ConnectRequest(FSocksDestPort, AsyncSocketResolveHost(FAddrText), FSocksUsercode));
}

void TCustomSocksAsyncSocket::Granted(std::size_t replyLength)
{
    FLeftover.assign(FRcvBuf + replyLength, FRcvBuf + FRcvCnt);
    FRcvCnt = 0;
    FSocksState = kIdle;
    TCustomAsyncSocket::TriggerSessionConnected(0);
    TriggerDataAvailable(0);
}

void TCustomSocksAsyncSocket::SocksFail(int error, const AnsiString& message)
{
    TriggerSocksError(error, message);
    FSocksState = kIdle;
    TCustomAsyncSocket::TriggerSessionConnected(static_cast<std::uint16_t>(error));
    InternalClose(true, static_cast<std::uint16_t>(error));
}

int TCustomSocksAsyncSocket::GetRcvdCount()
{
    if (!FLeftover.empty())
        return static_cast<int>(FLeftover.size());
    return TCustomAsyncSocket::GetRcvdCount();
}

int TCustomSocksAsyncSocket::DoRecv(void* buffer, int length, int flags)
{
    if (FLeftover.empty() || length <= 0)
        return TCustomAsyncSocket::DoRecv(buffer, length, flags);
    std::size_t count = std::min(FLeftover.size(), static_cast<std::size_t>(length));
    std::memcpy(buffer, FLeftover.data(), count);
    if (!(flags & WS_MSG_PEEK))
        FLeftover.erase(FLeftover.begin(), FLeftover.begin() + static_cast<std::ptrdiff_t>(count));
    return static_cast<int>(count);
}
