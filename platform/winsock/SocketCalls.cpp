// The socket calls themselves: descriptors opened close-on-exec (alarm programs are started while
// a download may be open), sends that never raise SIGPIPE, errno mapped to the library's codes.
#include "platform/winsock/SocketTable.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace winsock {

using namespace detail;

namespace {

bool ValidLength(int length)
{
    return length >= static_cast<int>(sizeof(sockaddr));
}

// Datagrams longer than the buffer are cut and reported as too long, as the library does.
int FinishDatagramRead(ssize_t n, int len, int flags)
{
    if (n > len && !(flags & MSG_PEEK))
        return FailWith(WSAEMSGSIZE);
    return static_cast<int>(n > len ? len : n);
}

} // namespace

SOCKET socket(int af, int type, int protocol)
{
    if (!Started()) {
        FailWith(WSANOTINITIALISED);
        return INVALID_SOCKET;
    }
    if (af != AF_INET) {
        FailWith(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    if (type != SOCK_STREAM && type != SOCK_DGRAM) {
        FailWith(WSAESOCKTNOSUPPORT);
        return INVALID_SOCKET;
    }
    int fd = ::socket(af, type | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        FailWithErrno();
        return INVALID_SOCKET;
    }
    return AddSocket(fd, type);
}

int closesocket(SOCKET s)
{
    if (!Started())
        return FailWith(WSANOTINITIALISED);
    auto entry = RemoveSocket(s);
    if (!entry)
        return FailWith(WSAENOTSOCK);
    StopAsyncSelect(*entry);
    // Called once only: after EINTR the descriptor is already gone on Linux.
    if (::close(entry->fd) != 0 && errno != EINTR)
        return FailWithErrno();
    return 0;
}

int shutdown(SOCKET s, int how)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (how < SD_RECEIVE || how > SD_BOTH)
        return FailWith(WSAEINVAL);
    return ::shutdown(entry->fd, how) == 0 ? 0 : FailWithErrno();
}

int bind(SOCKET s, const sockaddr* name, int namelen)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!name || !ValidLength(namelen))
        return FailWith(WSAEFAULT);
    return ::bind(entry->fd, name, static_cast<socklen_t>(namelen)) == 0 ? 0 : FailWithErrno();
}

int listen(SOCKET s, int backlog)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (entry->type != SOCK_STREAM)
        return FailWith(WSAEOPNOTSUPP);
    if (::listen(entry->fd, backlog) != 0)
        return FailWithErrno();
    entry->listening = true;
    return 0;
}

SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return INVALID_SOCKET;
    if (!entry->listening) {
        FailWith(WSAEINVAL);
        return INVALID_SOCKET;
    }
    if (addr && (!addrlen || !ValidLength(*addrlen))) {
        FailWith(WSAEFAULT);
        return INVALID_SOCKET;
    }
    socklen_t length = addrlen ? static_cast<socklen_t>(*addrlen) : 0;
    int flags = SOCK_CLOEXEC | (entry->nonBlocking ? SOCK_NONBLOCK : 0);
    int fd = ::accept4(entry->fd, addr, addr ? &length : nullptr, flags);
    ReadingConsumed(*entry); // FD_ACCEPT comes again for the next pending connection
    if (fd < 0) {
        FailWithErrno();
        return INVALID_SOCKET;
    }
    if (addrlen)
        *addrlen = static_cast<int>(length);
    SOCKET accepted = AddSocket(fd, SOCK_STREAM);
    FindSocket(accepted)->nonBlocking = entry->nonBlocking;
    return accepted;
}

int connect(SOCKET s, const sockaddr* name, int namelen)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!name || !ValidLength(namelen))
        return FailWith(WSAEFAULT);
    if (entry->connecting)
        return FailWith(WSAEALREADY);
    int result = ::connect(entry->fd, name, static_cast<socklen_t>(namelen));
    if (entry->type == SOCK_STREAM && entry->nonBlocking && (result == 0 || errno == EINPROGRESS)) {
        // The outcome is reported as FD_CONNECT, even when the connection was made at once.
        ConnectStarted(*entry);
        return result == 0 ? 0 : FailWith(WSAEWOULDBLOCK);
    }
    return result == 0 ? 0 : FailWithErrno();
}

namespace {

// getsockname and getpeername differ only in the call behind them.
template <typename Query>
int QueryName(SOCKET s, sockaddr* name, int* namelen, Query query)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!name || !namelen || !ValidLength(*namelen))
        return FailWith(WSAEFAULT);
    socklen_t length = static_cast<socklen_t>(*namelen);
    if (query(entry->fd, name, &length) != 0)
        return FailWithErrno();
    *namelen = static_cast<int>(length);
    return 0;
}

} // namespace

int getsockname(SOCKET s, sockaddr* name, int* namelen)
{
    return QueryName(s, name, namelen, ::getsockname);
}

int getpeername(SOCKET s, sockaddr* name, int* namelen)
{
    return QueryName(s, name, namelen, ::getpeername);
}

int send(SOCKET s, const char* buf, int len, int flags)
{
    return sendto(s, buf, len, flags, nullptr, 0);
}

int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf) || (to && !ValidLength(tolen)))
        return FailWith(WSAEFAULT);
    if (entry->type == SOCK_STREAM)
        to = nullptr; // a stream socket ignores the address, as the library does
    ssize_t n = ::sendto(entry->fd, buf, static_cast<size_t>(len), flags | MSG_NOSIGNAL, to,
                         to ? static_cast<socklen_t>(tolen) : 0);
    if (n < 0) {
        int error = errno;
        if (error == EAGAIN)
            SendWouldBlock(*entry);
        return FailWith(MapErrno(error));
    }
    // A part taken means the rest would block: FD_WRITE tells when to go on.
    if (n < len && entry->nonBlocking)
        SendWouldBlock(*entry);
    return static_cast<int>(n);
}

int recv(SOCKET s, char* buf, int len, int flags)
{
    return recvfrom(s, buf, len, flags, nullptr, nullptr);
}

int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf) || (from && (!fromlen || !ValidLength(*fromlen))))
        return FailWith(WSAEFAULT);
    socklen_t length = fromlen ? static_cast<socklen_t>(*fromlen) : 0;
    int extra = entry->type == SOCK_DGRAM ? MSG_TRUNC : 0;
    ssize_t n = ::recvfrom(entry->fd, buf, static_cast<size_t>(len), flags | extra, from, from ? &length : nullptr);
    int error = errno;
    ReadingConsumed(*entry); // FD_READ comes again while data remains
    if (n < 0)
        return FailWith(MapErrno(error));
    if (from)
        *fromlen = static_cast<int>(length);
    if (entry->type == SOCK_DGRAM)
        return FinishDatagramRead(n, len, flags);
    return static_cast<int>(n);
}

} // namespace winsock
