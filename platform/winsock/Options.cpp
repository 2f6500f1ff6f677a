// Socket options and ioctlsocket: the library's numbers and layouts turned into Linux ones.
#include "platform/winsock/SocketTable.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace winsock {

using namespace detail;

namespace {

struct NativeOption {
    int level;
    int name;
};

bool Translate(int level, int optname, NativeOption& native)
{
    static const struct {
        int level, name;
        NativeOption native;
    } table[] = {
        {WS_SOL_SOCKET, WS_SO_DEBUG, {SOL_SOCKET, SO_DEBUG}},
        {WS_SOL_SOCKET, WS_SO_REUSEADDR, {SOL_SOCKET, SO_REUSEADDR}},
        {WS_SOL_SOCKET, WS_SO_KEEPALIVE, {SOL_SOCKET, SO_KEEPALIVE}},
        {WS_SOL_SOCKET, WS_SO_DONTROUTE, {SOL_SOCKET, SO_DONTROUTE}},
        {WS_SOL_SOCKET, WS_SO_BROADCAST, {SOL_SOCKET, SO_BROADCAST}},
        {WS_SOL_SOCKET, WS_SO_LINGER, {SOL_SOCKET, SO_LINGER}},
        {WS_SOL_SOCKET, WS_SO_OOBINLINE, {SOL_SOCKET, SO_OOBINLINE}},
        {WS_SOL_SOCKET, WS_SO_SNDBUF, {SOL_SOCKET, SO_SNDBUF}},
        {WS_SOL_SOCKET, WS_SO_RCVBUF, {SOL_SOCKET, SO_RCVBUF}},
        {IPPROTO_TCP, WS_TCP_NODELAY, {IPPROTO_TCP, TCP_NODELAY}},
        {IPPROTO_IP, WS_IP_MULTICAST_IF, {IPPROTO_IP, IP_MULTICAST_IF}},
        {IPPROTO_IP, WS_IP_MULTICAST_TTL, {IPPROTO_IP, IP_MULTICAST_TTL}},
        {IPPROTO_IP, WS_IP_MULTICAST_LOOP, {IPPROTO_IP, IP_MULTICAST_LOOP}},
        {IPPROTO_IP, WS_IP_ADD_MEMBERSHIP, {IPPROTO_IP, IP_ADD_MEMBERSHIP}},
        {IPPROTO_IP, WS_IP_DROP_MEMBERSHIP, {IPPROTO_IP, IP_DROP_MEMBERSHIP}},
    };
    for (const auto& row : table)
        if (row.level == level && row.name == optname) {
            native = row.native;
            return true;
        }
    return false;
}

int SetNative(int fd, NativeOption option, const void* value, socklen_t length)
{
    return ::setsockopt(fd, option.level, option.name, value, length) == 0 ? 0 : FailWithErrno();
}

} // namespace

int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    NativeOption native {};
    if (!Translate(level, optname, native))
        return FailWith(WSAENOPROTOOPT);
    if (!optval || optlen < 1)
        return FailWith(WSAEFAULT);
    if (level == WS_SOL_SOCKET && optname == WS_SO_LINGER) {
        if (optlen < static_cast<int>(sizeof(linger)))
            return FailWith(WSAEFAULT);
        linger words;
        std::memcpy(&words, optval, sizeof words);
        ::linger value {words.l_onoff != 0 ? 1 : 0, words.l_linger};
        return SetNative(entry->fd, native, &value, sizeof value);
    }
    if (level == IPPROTO_IP && (optname == WS_IP_ADD_MEMBERSHIP || optname == WS_IP_DROP_MEMBERSHIP || optname == WS_IP_MULTICAST_IF))
        return SetNative(entry->fd, native, optval, static_cast<socklen_t>(optlen));
    // Every other option is an integer (a BOOL or a count); shorter values are widened.
    int value = 0;
    if (optlen >= static_cast<int>(sizeof(int)))
        std::memcpy(&value, optval, sizeof value);
    else
        value = static_cast<unsigned char>(optval[0]);
    return SetNative(entry->fd, native, &value, sizeof value);
}

int ioctlsocket(SOCKET s, long cmd, u_long* argp)
{
    auto entry = UsableSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!argp)
        return FailWith(WSAEFAULT);
    if (cmd == WS_FIONREAD) {
        int pending = 0;
        if (::ioctl(entry->fd, FIONREAD, &pending) != 0)
            return FailWithErrno();
        *argp = static_cast<u_long>(pending < 0 ? 0 : pending);
        return 0;
    }
    if (cmd == WS_FIONBIO) {
        int flags = ::fcntl(entry->fd, F_GETFL);
        if (flags < 0)
            return FailWithErrno();
        // The library refuses to make a socket blocking while WSAAsyncSelect is active.
        if (*argp == 0 && entry->events != 0)
            return FailWith(WSAEINVAL);
        flags = *argp ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
        if (::fcntl(entry->fd, F_SETFL, flags) != 0)
            return FailWithErrno();
        entry->nonBlocking = *argp != 0;
        return 0;
    }
    return FailWith(WSAEINVAL);
}

} // namespace winsock
