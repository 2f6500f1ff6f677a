#include "LocalPeer.h"
#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace peer {

namespace {

int ListenOnLoopback(std::uint16_t& port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd, 8);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool WaitReadable(int fd, int ms)
{
    pollfd p {fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

long long NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::string ReadSome(int fd, std::size_t count, int boundMs)
{
    std::string data;
    const long long end = NowMs() + boundMs;
    while (data.size() < count) {
        long long left = end - NowMs();
        if (left <= 0 || !WaitReadable(fd, static_cast<int>(left)))
            break;
        char buffer[65536];
        ssize_t n = ::recv(fd, buffer, std::min(sizeof buffer, count - data.size()), 0);
        if (n <= 0)
            break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

std::string ReadOnce(int fd, int boundMs)
{
    if (!WaitReadable(fd, boundMs))
        return {};
    char buffer[65536];
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string ReadUntil(int fd, const std::string& text, int boundMs)
{
    std::string data;
    const long long end = NowMs() + boundMs;
    while (data.find(text) == std::string::npos) {
        long long left = end - NowMs();
        if (left <= 0 || !WaitReadable(fd, static_cast<int>(left)))
            break;
        char buffer[4096];
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

std::size_t ReadAll(int fd, int boundMs)
{
    std::size_t total = 0;
    const long long end = NowMs() + boundMs;
    for (;;) {
        long long left = end - NowMs();
        if (left <= 0 || !WaitReadable(fd, static_cast<int>(left)))
            return total;
        char buffer[65536];
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return total;
        total += static_cast<std::size_t>(n);
    }
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void Reset(int& fd)
{
    linger hard {1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(fd);
    fd = -1;
}

Server::Server(std::function<void(int& fd)> session, int connections)
{
    FListener = ListenOnLoopback(FPort);
    FThread = std::thread([this, session = std::move(session), connections] {
        for (int i = 0; i < connections; ++i) {
            if (!WaitReadable(FListener, 10000))
                return;
            int fd = ::accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                return;
            session(fd);
            if (fd >= 0)
                ::close(fd);
        }
    });
}

Server::~Server()
{
    ::shutdown(FListener, SHUT_RDWR);
    FThread.join();
    ::close(FListener);
}

std::uint16_t ClosedPort()
{
    std::uint16_t port;
    int fd = ListenOnLoopback(port);
    ::close(fd);
    return port;
}

} // namespace peer
