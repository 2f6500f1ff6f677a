// TCustomAsyncSocket: creation, the hidden window and its messages, events and the error path.
#include "net/CustomAsyncSocket.h"
#include "net/MessageWait.h"
#include "platform/messages/Application.h"

using namespace winsock;

TCustomAsyncSocket::TCustomAsyncSocket(TComponent* AOwner)
    : TComponent(AOwner), FDnsResultList(std::make_unique<TStringList>())
{
    AsyncSocketCountUp();
}

void TCustomAsyncSocket::AfterConstruction()
{
    AllocateSocketHWnd();
    AssignDefaultValue();
}

TCustomAsyncSocket::~TCustomAsyncSocket()
{
    // Events stay silent from here on: the owner may already be half gone.
    FDestroying = true;
    try {
        CancelDnsLookup();
    } catch (const std::exception&) {
    }
    try {
        if (FState != wsClosed)
            Close();
    } catch (const std::exception&) {
    }
    AsyncSocketCountDown();
    DeleteBufferedData();
    DeallocateSocketHWnd();
}

void TCustomAsyncSocket::AllocateSocketHWnd()
{
    if (!FWindowHandle)
        FWindowHandle = AllocateHWnd([this](TMessage& msg) { WndProc(msg); });
}

void TCustomAsyncSocket::DeallocateSocketHWnd()
{
    if (FWindowHandle)
        DeallocateHWnd(FWindowHandle);
    FWindowHandle = 0;
}

void TCustomAsyncSocket::AssignDefaultValue()
{
    FRemoteSockAddr = sockaddr_in{};
    FRemoteSockAddr.sin_family = AF_INET;
    FAddressFamily = AF_INET;
    FPortGiven = FAddrGiven = false;
    FAddrConverted = FPortConverted = FProtoConverted = FLocalPortConverted = false;
    FProtoGiven = true;
    FProtoNumber = 6;
    FProtoText = "tcp";
    FSocketType = SOCK_STREAM;
    FLocalPortText = "0";
    FLocalAddr = "0.0.0.0";
    FLingerOnOff = wsLingerOn;
    FLingerTimeout = 0;
    FHSocket = INVALID_SOCKET;
    FEventMask = 0;
    FState = wsClosed;
    FQueueEmpty = true;
    FReadCount = 0;
    FEventsPaused = false;
    FClosedReported = false;
    FFlushTimeout = 60;
}

void TCustomAsyncSocket::WndProc(TMessage& msg)
{
    try {
        switch (msg.Msg) {
        case WM_ASYNCSELECT:
            HandleAsyncSelect(msg);
            break;
        case WM_ASYNCGETHOSTBYNAME:
            HandleHostByName(msg);
            break;
        case WM_ASYNCGETHOSTBYADDR:
            HandleHostByAddr(msg);
            break;
        case WM_CLOSE_DELAYED:
            Close();
            break;
        case WM_WSOCKET_RELEASE:
            delete this; // nothing of this object may be touched after this
            return;
        case WM_TRIGGER_EXCEPTION:
            throw ESocketException("Test exception in AsyncSocket");
        default:
            msg.Result = 0;
            break;
        }
    } catch (const Exception& e) {
        TriggerBgException(e);
    } catch (const std::exception& e) {
        TriggerBgException(Exception(e.what()));
    }
}

void TCustomAsyncSocket::HandleAsyncSelect(const TMessage& msg)
{
    const SOCKET socket = msg.WParam;
    const int events = WSAGETSELECTEVENT(msg.LParam);
    const auto error = static_cast<std::uint16_t>(WSAGETSELECTERROR(msg.LParam));
    auto current = [&] { return socket == FHSocket && !FEventsPaused; };
    if (!current())
        return;
    if ((events & FD_CONNECT) && FState != wsConnected)
        HandleConnectEvent(error, true);
    if ((events & FD_READ) && current()) {
        if (FState != wsConnected)
            HandleConnectEvent(error, false);
        ASyncReceive(error, FComponentOptions);
    }
    if ((events & FD_WRITE) && current()) {
        TryToSend();
        if (FQueueEmpty)
            TriggerDataSent(error);
    }
    if ((events & FD_ACCEPT) && current())
        TriggerSessionAvailable(error);
    if ((events & FD_CLOSE) && current() && FState != wsConnecting)
        HandleCloseEvent(error);
}

void TCustomAsyncSocket::HandleConnectEvent(std::uint16_t error, bool closeOnError)
{
    ChangeState(wsConnected);
    TriggerSessionConnected(error);
    if (closeOnError && error != 0 && FState != wsClosed)
        Close();
}

void TCustomAsyncSocket::HandleCloseEvent(std::uint16_t error)
{
    // Everything still pending is read first, whatever the options say.
    ASyncReceive(0, FComponentOptions & ~TAsyncSocketOptions(wsoNoReceiveLoop));
    if (!FClosedReported) {
        FClosedReported = true;
        TriggerSessionClosed(error);
    }
    if (FState != wsClosed)
        Close();
}

void TCustomAsyncSocket::ChangeState(TSocketState newState)
{
    TSocketState oldState = FState;
    FState = newState;
    TriggerChangeState(oldState, newState);
}

void TCustomAsyncSocket::SocketError(const AnsiString& function)
{
    int code = AsyncSocket_WSAGetLastError();
    AnsiString message = "Error " + std::to_string(code) + " in function " + function + "\r\n" +
                         AsyncSocketErrorDesc(code);
    if (code == WSAECONNRESET || code == WSAENOTCONN) {
        AsyncSocket_closesocket(FHSocket);
        FHSocket = INVALID_SOCKET;
        if (FState != wsClosed && !FClosedReported) {
            FClosedReported = true;
            TriggerSessionClosed(static_cast<std::uint16_t>(code));
        }
        FState = wsClosed;
    }
    FLastError = code;
    RaiseException(message);
}

void TCustomAsyncSocket::RaiseException(const AnsiString& message)
{
    if (!OnError)
        throw ESocketException(message);
    TriggerError();
}

void TCustomAsyncSocket::TriggerBgException(const Exception& E)
{
    bool canClose = true;
    if (OnBgException) {
        try {
            OnBgException(this, E, canClose);
        } catch (const std::exception&) {
        }
    }
    if (canClose) {
        try {
            Abort();
        } catch (const std::exception&) {
        }
    }
}

bool TCustomAsyncSocket::TriggerDataAvailable(std::uint16_t error)
{
    if (!OnDataAvailable || FDestroying)
        return false;
    OnDataAvailable(this, error);
    return true;
}

void TCustomAsyncSocket::TriggerSessionAvailable(std::uint16_t error)
{
    if (OnSessionAvailable && !FDestroying)
        OnSessionAvailable(this, error);
}

void TCustomAsyncSocket::TriggerSessionConnected(std::uint16_t error)
{
    if (OnSessionConnected && !FDestroying)
        OnSessionConnected(this, error);
}

void TCustomAsyncSocket::TriggerSessionClosed(std::uint16_t error)
{
    if (OnSessionClosed && !FDestroying)
        OnSessionClosed(this, error);
}

void TCustomAsyncSocket::TriggerDataSent(std::uint16_t error)
{
    if (OnDataSent && !FDestroying)
        OnDataSent(this, error);
}

void TCustomAsyncSocket::TriggerChangeState(TSocketState oldState, TSocketState newState)
{
    if (OnChangeState && !FDestroying)
        OnChangeState(this, oldState, newState);
}

void TCustomAsyncSocket::TriggerDnsLookupDone(std::uint16_t error)
{
    if (OnDnsLookupDone && !FDestroying)
        OnDnsLookupDone(this, error);
}

void TCustomAsyncSocket::TriggerError()
{
    if (OnError && !FDestroying)
        OnError(this);
}

void TCustomAsyncSocket::ProcessMessages()
{
    ProcessPendingMessages();
    if (Application && Application->Terminated())
        FQuitSeen = true;
}

void TCustomAsyncSocket::MessagePump()
{
    if (FMultiThreaded)
        ProcessMessages();
    else if (Application)
        Application->ProcessMessages();
    else
        ProcessPendingMessages();
}

std::int64_t TCustomAsyncSocket::FlushDeadline() const
{
    return MonotonicMs() + static_cast<std::int64_t>(FFlushTimeout > 0 ? FFlushTimeout : 60) * 1000;
}
