// The sample data server as a child process on a free loopback port, with its request log.
#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

namespace download_test {

// One request as the server received it, split at the empty line.
struct LoggedRequest {
    std::string head; // request line and header lines, CR LF after each
    std::string body;
    std::string RequestLine() const { return head.substr(0, head.find("\r\n")); }
    bool HasHeader(const std::string& line) const { return head.find("\r\n" + line + "\r\n") != std::string::npos; }
};

class DataServerProcess {
public:
    // `options` are data_server.py's own (--today, --build, --fault...).
    explicit DataServerProcess(const std::vector<std::string>& options);
    ~DataServerProcess();
    DataServerProcess(const DataServerProcess&) = delete;
    DataServerProcess& operator=(const DataServerProcess&) = delete;

    int Port() const { return FPort; }
    // Every request received so far, in order.
    std::vector<LoggedRequest> Requests() const;
    std::vector<std::string> RequestLines() const;
    // Sends a control request such as "/control/fault?mode=none"; true when it was accepted.
    bool Control(const std::string& pathAndQuery) const;

private:
    std::string FFolder;
    pid_t FPid = 0;
    int FPort = 0;
};

} // namespace download_test
