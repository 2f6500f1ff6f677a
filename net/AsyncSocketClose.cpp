// Closing: orderly close, abort, and the delayed forms that run from the message loop.
#include "net/CustomAsyncSocket.h"

using namespace winsock;

namespace {
// closesocket never reports WSAEWOULDBLOCK here, but a retry loop must still end.
constexpr int kCloseAttempts = 100;
} // namespace

void TCustomAsyncSocket::Close()
{
    InternalClose(true, 0);
}

void TCustomAsyncSocket::InternalClose(bool shutDown, std::uint16_t error)
{
    if (!HandleValid()) {
        if (FState != wsClosed) {
            ChangeState(wsClosed);
            AssignDefaultValue();
        }
        return;
    }
    if (FState == wsClosed)
        return;
    if (shutDown)
        ShutDown(SD_SEND);
    for (int attempt = 0;; ++attempt) {
        if (AsyncSocket_closesocket(FHSocket) == 0)
            break;
        FLastError = AsyncSocket_WSAGetLastError();
        if (FLastError == WSANOTINITIALISED)
            return;
        if (FLastError != WSAEWOULDBLOCK || attempt >= kCloseAttempts) {
            SocketError("Disconnect (closesocket)");
            return;
        }
        MessagePump();
    }
    FHSocket = INVALID_SOCKET;
    ChangeState(wsClosed);
    if (!Destroying() && !FClosedReported) {
        FClosedReported = true;
        TriggerSessionClosed(error);
    }
    AssignDefaultValue();
}

void TCustomAsyncSocket::Abort()
{
    CancelDnsLookup();
    DeleteBufferedData();
    if (FState == wsConnected && FProtoNumber == IPPROTO_TCP && HandleValid()) {
        FLingerOnOff = wsLingerOff;
        SetLingerOption();
    }
    InternalClose(false, 0);
}

void TCustomAsyncSocket::CloseDelayed()
{
    PostMessage(FWindowHandle, WM_CLOSE_DELAYED, 0, 0);
}

void TCustomAsyncSocket::Release()
{
    PostMessage(FWindowHandle, WM_WSOCKET_RELEASE, 0, 0);
}

void TCustomAsyncSocket::ShutDown(int how)
{
    if (HandleValid())
        AsyncSocket_shutdown(FHSocket, how);
}
