// Sending: data is queued in TBuffer blocks and written as far as the network takes it; the rest
// waits for FD_WRITE. OnDataSent always comes from the message loop, never from inside Send.
#include "net/CustomAsyncSocket.h"
#include "net/MessageWait.h"
#include "platform/messages/Application.h"

using namespace winsock;

int TCustomAsyncSocket::Send(const void* data, int length)
{
    if (FState != wsConnected) {
        AsyncSocket_WSASetLastError(WSAENOTCONN);
        SocketError("Send");
        return -1;
    }
    FQueueEmpty = false;
    int queued = 0;
    if (length > 0 && data) {
        PutDataInSendBuffer(data, length);
        queued = length;
    }
    TryToSend();
    if (FQueueEmpty && HandleValid())
        PostMessage(FWindowHandle, WM_ASYNCSELECT, FHSocket, WSAMAKESELECTREPLY(FD_WRITE, 0));
    return queued;
}

int TCustomAsyncSocket::SendStr(const AnsiString& text)
{
    if (text.empty())
        return 0;
    return Send(text.data(), static_cast<int>(text.size()));
}

void TCustomAsyncSocket::PutDataInSendBuffer(const void* data, int length)
{
    const char* bytes = static_cast<const char*>(data);
    if (FSendQueue.empty())
        FSendQueue.push_back(std::make_unique<TBuffer>(FSendBlockSize));
    while (length > 0) {
        int taken = FSendQueue.back()->Write(bytes, length);
        bytes += taken;
        length -= taken;
        if (length > 0)
            FSendQueue.push_back(std::make_unique<TBuffer>(FSendBlockSize));
    }
}

void TCustomAsyncSocket::DeleteBufferedData()
{
    FSendQueue.clear();
}

int TCustomAsyncSocket::BufferedByteCount() const
{
    int total = 0;
    for (const auto& buffer : FSendQueue) {
        int length;
        buffer->Peek(length);
        total += length;
    }
    return total;
}

void TCustomAsyncSocket::TryToSend()
{
    if (!HandleValid())
        return;
    // An empty queue has nothing left to write (a send of no bytes included).
    if (FSendQueue.empty()) {
        FQueueEmpty = true;
        return;
    }
    for (;;) {
        TBuffer& first = *FSendQueue.front();
        int length;
        const char* data = first.Peek(length);
        if (length <= 0) {
            if (FSendQueue.size() == 1) {
                FQueueEmpty = true;
                return;
            }
            FSendQueue.pop_front();
            continue;
        }
        int count = RealSend(data, length);
        if (count == 0)
            return;
        if (count < 0) {
            int error = AsyncSocket_WSAGetLastError();
            switch (error) {
            case WSAECONNRESET:
            case WSAENOTSOCK:
            case WSAENOTCONN:
            case WSAEINVAL:
            case WSAECONNABORTED:
                FClosedReported = true;
                Close();
                TriggerSessionClosed(static_cast<std::uint16_t>(error));
                return;
            case WSAEWOULDBLOCK:
                return;
            default:
                SocketError("TryToSend failed");
                return;
            }
        }
        first.Remove(count);
        if (count < length)
            return;
    }
}

int TCustomAsyncSocket::RealSend(const char* data, int length)
{
    int count;
    if (FSocketType == SOCK_DGRAM)
        count = AsyncSocket_sendto(FHSocket, data, length, FSendFlagBits,
                                   reinterpret_cast<const sockaddr*>(&FRemoteSockAddr), sizeof FRemoteSockAddr);
    else
        count = AsyncSocket_send(FHSocket, data, length, FSendFlagBits);
    return ReportSent(count);
}

int TCustomAsyncSocket::ReportSent(int count)
{
    if (count > 0 && OnSendData && !Destroying())
        OnSendData(this, count);
    return count;
}

int TCustomAsyncSocket::SendTo(const sockaddr_in& dest, int destLength, const void* data, int length)
{
    int count = AsyncSocket_sendto(FHSocket, static_cast<const char*>(data), length, FSendFlagBits,
                                   reinterpret_cast<const sockaddr*>(&dest), destLength);
    return ReportSent(count);
}

void TCustomAsyncSocket::Flush()
{
    // Bounded: a peer that stops reading cannot hold the program here for ever.
    const std::int64_t deadline = FlushDeadline();
    while (HandleValid() && !FQueueEmpty && MonotonicMs() < deadline) {
        TryToSend();
        if (!FQueueEmpty)
            WaitForMessageUntil(deadline);
        if (Application && Application->Terminated())
            break;
    }
}
