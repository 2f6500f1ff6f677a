// Receiving: the receive loop behind FD_READ and FD_CLOSE, and the calls that read.
#include "net/CustomAsyncSocket.h"
#include "net/MessageWait.h"

using namespace winsock;

bool TCustomAsyncSocket::PendingBytes(u_long& count)
{
    count = 0;
    if (AsyncSocket_ioctlsocket(FHSocket, WS_FIONREAD, &count) == SOCKET_ERROR) {
        FLastError = AsyncSocket_WSAGetLastError();
        return false;
    }
    return true;
}

void TCustomAsyncSocket::ASyncReceive(std::uint16_t error, TAsyncSocketOptions options)
{
    u_long before = ~u_long(0);
    for (;;) {
        FLastError = 0;
        try {
            if (!TriggerDataAvailable(error)) {
                // Nobody reads: drop what came, a piece at a time.
                char scratch[1024];
                if (DoRecv(scratch, sizeof scratch, 0) < 0 && AsyncSocket_WSAGetLastError() == WSAEWOULDBLOCK) {
                    FLastError = 0;
                    return;
                }
            }
            if ((options & wsoNoReceiveLoop) || FLastError != 0 || !HandleValid())
                return;
            u_long waiting;
            if (!PendingBytes(waiting) || waiting == 0)
                return;
            // A pass that took nothing would repeat for ever; the next FD_READ brings it back.
            if (waiting >= before)
                return;
            before = waiting;
        } catch (const std::exception&) {
            return;
        }
    }
}

int TCustomAsyncSocket::DoRecv(void* buffer, int length, int flags)
{
    return AsyncSocket_recv(FHSocket, static_cast<char*>(buffer), length, flags);
}

int TCustomAsyncSocket::Receive(void* buffer, int length)
{
    int count = DoRecv(buffer, length, 0);
    if (count < 0)
        FLastError = AsyncSocket_WSAGetLastError();
    else
        FReadCount += count;
    return count;
}

AnsiString TCustomAsyncSocket::ReceiveStr()
{
    int count = GetRcvdCount();
    if (count < 0)
        return {};
    if (count == 0)
        count = 255;
    AnsiString text(static_cast<std::size_t>(count), '\0');
    int read = Receive(text.data(), count);
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return text;
}

int TCustomAsyncSocket::GetRcvdCount()
{
    u_long count;
    if (!PendingBytes(count)) {
        SocketError("ioctlSocket");
        return -1;
    }
    return static_cast<int>(count);
}

int TCustomAsyncSocket::DoRecvFrom(void* buffer, int length, sockaddr_in& from, int& fromLength)
{
    return AsyncSocket_recvfrom(FHSocket, static_cast<char*>(buffer), length, 0, reinterpret_cast<sockaddr*>(&from),
                                &fromLength);
}

int TCustomAsyncSocket::ReceiveFrom(void* buffer, int length, sockaddr_in& from, int& fromLength)
{
    int count = DoRecvFrom(buffer, length, from, fromLength);
    if (count < 0)
        FLastError = AsyncSocket_WSAGetLastError();
    else
        FReadCount += count;
    return count;
}

void TCustomAsyncSocket::WaitForClose()
{
    // Bounded by FlushTimeout, and probing with a one-byte peek: a zero-byte receive answers 0 at
    // once on Linux whether or not the peer has gone.
    const std::int64_t deadline = FlushDeadline();
    while (HandleValid() && FState != wsClosed && MonotonicMs() < deadline) {
        MessagePump();
        if (!HandleValid() || FState == wsClosed)
            return;
        u_long waiting;
        if (!PendingBytes(waiting))
            return;
        if (waiting > 0)
            TriggerDataAvailable(0);
        if (!HandleValid())
            return;
        char probe;
        int result = AsyncSocket_recv(FHSocket, &probe, 1, WS_MSG_PEEK);
        if (result == 0) {
            FLastError = 0;
            return;
        }
        if (result < 0) {
            FLastError = AsyncSocket_WSAGetLastError();
            if (FLastError != WSAEWOULDBLOCK)
                return;
        }
        WaitForMessageUntil(deadline);
    }
}
