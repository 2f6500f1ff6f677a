// WSAAsyncSelect on Qt's socket notifiers. Windows Sockets posts one message per event and then
// waits for the program to react (FD_READ again only after a recv, FD_WRITE again only after a
// send met WSAEWOULDBLOCK); Qt's notifiers fire for as long as the condition holds. So each
// notifier is switched off when it fires and switched on again by the call that re-enables its
// event; nothing fires while a socket is idle.
#include "platform/winsock/SocketTable.h"
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>

namespace winsock::detail {

namespace {

void Post(const SocketEntry& entry, long event, int error)
{
    if (entry.events & event)
        PostMessage(entry.window, entry.msg, entry.handle, WSAMAKESELECTREPLY(static_cast<int>(event), error));
}

bool WantsReading(const SocketEntry& entry)
{
    if (entry.listening)
        return (entry.events & FD_ACCEPT) != 0;
    return (entry.events & (FD_READ | FD_CLOSE)) != 0;
}

void SetReading(SocketEntry& entry, bool on)
{
    if (entry.readNotifier)
        entry.readNotifier->setEnabled(on && !entry.connecting && !entry.closeReported && WantsReading(entry));
}

void SetWriting(SocketEntry& entry, bool on)
{
    if (entry.writeNotifier)
        entry.writeNotifier->setEnabled(on);
}

// A non-blocking connect ends when the socket turns writable; SO_ERROR tells how it went. Reading
// was off meanwhile, so no recv can have swallowed the error.
void FinishConnect(SocketEntry& entry)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(entry.fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    entry.connecting = false;
    SetWriting(entry, false);
    if (error != 0) {
        Post(entry, FD_CONNECT, MapErrno(error));
        return;
    }
    Post(entry, FD_CONNECT, 0);
    Post(entry, FD_WRITE, 0);
    SetReading(entry, true);
}

void OnReadable(SOCKET handle)
{
    auto entry = FindSocket(handle);
    if (!entry)
        return;
    SetReading(*entry, false);
    if (entry->listening) {
        Post(*entry, FD_ACCEPT, 0);
        return;
    }
    char probe;
    ssize_t n = ::recv(entry->fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        SetReading(*entry, true);
        return;
    }
    if (entry->type == SOCK_DGRAM || n > 0) {
        Post(*entry, FD_READ, n < 0 ? MapErrno(errno) : 0);
        return;
    }
    // The peer's orderly close (0) or a reset: reported once, and reading stays off.
    entry->closeReported = true;
    Post(*entry, FD_CLOSE, n < 0 ? MapErrno(errno) : 0);
}

void OnWritable(SOCKET handle)
{
    auto entry = FindSocket(handle);
    if (!entry)
        return;
    if (entry->connecting) {
        FinishConnect(*entry);
        return;
    }
    SetWriting(*entry, false);
    Post(*entry, FD_WRITE, 0);
}

bool IsConnected(const SocketEntry& entry)
{
    sockaddr_in peer {};
    socklen_t length = sizeof peer;
    return ::getpeername(entry.fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0;
}

bool IsBound(const SocketEntry& entry)
{
    sockaddr_in local {};
    socklen_t length = sizeof local;
    return ::getsockname(entry.fd, reinterpret_cast<sockaddr*>(&local), &length) == 0 && local.sin_port != 0;
}

void MakeNotifiers(SocketEntry& entry)
{
    if (entry.readNotifier)
        return;
    const SOCKET handle = entry.handle;
    entry.readNotifier = std::make_unique<QSocketNotifier>(entry.fd, QSocketNotifier::Read);
    entry.writeNotifier = std::make_unique<QSocketNotifier>(entry.fd, QSocketNotifier::Write);
    entry.readNotifier->setEnabled(false);
    entry.writeNotifier->setEnabled(false);
    QObject::connect(entry.readNotifier.get(), &QSocketNotifier::activated, [handle] { OnReadable(handle); });
    QObject::connect(entry.writeNotifier.get(), &QSocketNotifier::activated, [handle] { OnWritable(handle); });
}

} // namespace

void StopAsyncSelect(SocketEntry& entry)
{
    entry.readNotifier.reset();
    entry.writeNotifier.reset();
    entry.events = 0;
}

void ReadingConsumed(SocketEntry& entry)
{
    SetReading(entry, true);
}

void SendWouldBlock(SocketEntry& entry)
{
    if (!entry.connecting && (entry.events & FD_WRITE))
        SetWriting(entry, true);
}

void ConnectStarted(SocketEntry& entry)
{
    entry.connecting = true;
    SetReading(entry, false);
    SetWriting(entry, entry.events != 0);
}

} // namespace winsock::detail

namespace winsock {

int WSAAsyncSelect(SOCKET s, HWND window, UINT msg, long events)
{
    using namespace detail;
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (events != 0 && (!IsWindow(window) || !QCoreApplication::instance()))
        return FailWith(WSAEINVAL);
    // Like the library, selecting any event makes the socket non-blocking for good.
    if (!entry->nonBlocking) {
        int flags = ::fcntl(entry->fd, F_GETFL);
        if (flags < 0 || ::fcntl(entry->fd, F_SETFL, flags | O_NONBLOCK) < 0)
            return FailWithErrno();
        entry->nonBlocking = true;
    }
    entry->window = window;
    entry->msg = msg;
    entry->events = events;
    if (events == 0 || msg == 0) {
        StopAsyncSelect(*entry);
        return 0;
    }
    MakeNotifiers(*entry);
    if (entry->connecting) {
        SetWriting(*entry, true);
        return 0;
    }
    SetReading(*entry, true);
    // A socket that can already send hears so at once, as after a connect.
    bool writable = entry->type == SOCK_DGRAM ? IsBound(*entry) : (!entry->listening && IsConnected(*entry));
    if (writable)
        Post(*entry, FD_WRITE, 0);
    return 0;
}

} // namespace winsock
