// Real peers on 127.0.0.1 for the socket tests: a listening socket served by a thread of plain
// POSIX calls, so that the component under test talks to something that is not itself. Every wait
// is bounded, so a broken component fails a test instead of hanging it.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace peer {

// Reads up to `count` bytes or until the peer closes or `boundMs` passes.
std::string ReadSome(int fd, std::size_t count, int boundMs = 5000);
// One read: whatever arrives first (empty when the peer closes or `boundMs` passes).
std::string ReadOnce(int fd, int boundMs = 5000);
// Reads until `text` has arrived (or the bound passes); returns everything read.
std::string ReadUntil(int fd, const std::string& text, int boundMs = 5000);
std::size_t ReadAll(int fd, int boundMs = 10000);
bool WriteAll(int fd, const std::string& bytes);
// Closes with a reset instead of an orderly close; `fd` becomes -1.
void Reset(int& fd);

class Server {
public:
    // Serves each connection with `session` on the server's thread, then closes it unless the
    // session did (setting fd to -1).
    explicit Server(std::function<void(int& fd)> session, int connections = 1);
    ~Server();
    std::uint16_t Port() const { return FPort; }
    std::string PortText() const { return std::to_string(FPort); }

private:
    int FListener = -1;
    std::uint16_t FPort = 0;
    std::thread FThread;
};

// A port on 127.0.0.1 where nothing listens.
std::uint16_t ClosedPort();

} // namespace peer
