#include "http/ScriptedServer.h"
#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 20;
constexpr int kRequestWaitMs = 5000;

// Waits up to `ms` for `events` on the descriptor, giving up early when the server stops.
bool WaitFor(int fd, short events, int ms, const std::atomic<bool>& stopping)
{
    for (int waited = 0; waited < ms && !stopping; waited += kPollMs) {
        pollfd p{fd, events, 0};
        int n = ::poll(&p, 1, kPollMs);
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
    return false;
}

std::size_t DeclaredLength(const std::string& head)
{
    std::string lower;
    for (char c : head)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto at = lower.find("\ncontent-length:");
    if (at == std::string::npos)
        return 0;
    return static_cast<std::size_t>(std::strtoul(head.c_str() + at + 16, nullptr, 10));
}

} // namespace

ScriptedReply ScriptedReply::Status(int code, const std::string& reason, const std::string& body,
                                    const std::string& extraHeader)
{
    ScriptedReply r;
    r.bytes = "HTTP/1.0 " + std::to_string(code) + " " + reason + "\r\nContent-Type: text/plain\r\n" + extraHeader +
              "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    return r;
}

ScriptedServer::ScriptedServer()
{
    FListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (FListener < 0 || ::bind(FListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(FListener, 8) != 0)
        throw std::runtime_error("the test server cannot listen");
    socklen_t length = sizeof address;
    ::getsockname(FListener, reinterpret_cast<sockaddr*>(&address), &length);
    FPort = ntohs(address.sin_port);
    FThread = std::thread([this] { Run(); });
}

ScriptedServer::~ScriptedServer()
{
    FStopping = true;
    FThread.join();
    ::close(FListener);
}

std::string ScriptedServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

void ScriptedServer::Script(std::vector<ScriptedReply> replies)
{
    std::lock_guard lock(FMutex);
    FScript.assign(replies.begin(), replies.end());
}

std::vector<std::string> ScriptedServer::Requests()
{
    std::lock_guard lock(FMutex);
    return FRequests;
}

void ScriptedServer::Run()
{
    while (!FStopping) {
        if (!WaitFor(FListener, POLLIN, kPollMs, FStopping))
            continue;
        int connection = ::accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        ++FConnections;
        Serve(connection);
    }
}

void ScriptedServer::Serve(int connection)
{
    ScriptedReply reply;
    {
        std::lock_guard lock(FMutex);
        if (!FScript.empty()) {
            reply = FScript.front();
            if (FScript.size() > 1)
                FScript.pop_front();
        }
    }
    if (reply.readRequest) {
        std::string request = ReadRequest(connection);
        std::lock_guard lock(FMutex);
        FRequests.push_back(request);
    }
    Send(connection, reply);
    for (int waited = 0; waited < reply.pauseBeforeEndMs && !FStopping; waited += kPollMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    if (reply.end == ScriptedReply::End::Endless)
        SendUntilTheClientGoes(connection);
    if (reply.end == ScriptedReply::End::Hold) {
        // Silent until the client gives up or the test ends.
        char sink[4096];
        while (!FStopping)
            if (WaitFor(connection, POLLIN, kPollMs, FStopping) && ::recv(connection, sink, sizeof sink, 0) <= 0)
                break;
    }
    if (reply.end == ScriptedReply::End::Reset) {
        // A reset drops what the kernel still holds: let the client have every byte first.
        int unacknowledged = 0;
        for (int waited = 0; waited < kRequestWaitMs && !FStopping; waited += 1) {
            if (::ioctl(connection, TIOCOUTQ, &unacknowledged) != 0 || unacknowledged == 0)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        linger hard{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    }
    ::close(connection);
}

std::string ScriptedServer::ReadRequest(int connection)
{
    std::string data;
    char chunk[4096];
    while (WaitFor(connection, POLLIN, kRequestWaitMs, FStopping)) {
        ssize_t n = ::recv(connection, chunk, sizeof chunk, 0);
        if (n <= 0)
            break;
        data.append(chunk, static_cast<std::size_t>(n));
        auto end = data.find("\r\n\r\n");
        if (end != std::string::npos && data.size() >= end + 4 + DeclaredLength(data.substr(0, end + 2)))
            break;
    }
    return data;
}

void ScriptedServer::Send(int connection, const ScriptedReply& reply)
{
    const std::size_t pieces = static_cast<std::size_t>(std::max(1, reply.pieces));
    const std::size_t size = (reply.bytes.size() + pieces - 1) / pieces;
    for (std::size_t at = 0; at < reply.bytes.size() && !FStopping; at += size) {
        if (at > 0 && reply.pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.pauseMs));
        std::size_t part = std::min(size, reply.bytes.size() - at);
        std::size_t sent = 0;
        while (sent < part && WaitFor(connection, POLLOUT, kRequestWaitMs, FStopping)) {
            ssize_t n = ::send(connection, reply.bytes.data() + at + sent, part - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            sent += static_cast<std::size_t>(n);
        }
    }
}

void ScriptedServer::SendUntilTheClientGoes(int connection)
{
    FFillerSent = 0;
    const std::string filler(64 * 1024, 'f');
    while (!FStopping && WaitFor(connection, POLLOUT, kRequestWaitMs, FStopping)) {
        ssize_t n = ::send(connection, filler.data(), filler.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        FFillerSent += n;
    }
}
