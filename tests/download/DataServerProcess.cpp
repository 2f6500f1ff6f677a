#include "download/DataServerProcess.h"
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace download_test {

namespace {

const std::string LogSeparator = "\r\n===== end of request =====\r\n";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

DataServerProcess::DataServerProcess(const std::vector<std::string>& options)
{
    std::string folder = (std::filesystem::temp_directory_path() / "qex-download-server-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        throw std::runtime_error("cannot create the data server's folder");
    FFolder = folder;
    const std::string script = std::string(QEX_SOURCE_DIR) + "/tools/data_server.py";
    std::vector<std::string> args = {"python3", script, "--port", "0", "--port-file", FFolder + "/port",
                                     "--log", FFolder + "/requests.log"};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, (FFolder + "/stderr").c_str(), O_WRONLY | O_CREAT, 0600);
    if (posix_spawnp(&FPid, "python3", &quiet, nullptr, argv.data(), environ) != 0)
        FPid = 0;
    posix_spawn_file_actions_destroy(&quiet);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (FPid != 0 && FPort == 0 && std::chrono::steady_clock::now() < deadline) {
        std::ifstream(FFolder + "/port") >> FPort;
        if (FPort == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

DataServerProcess::~DataServerProcess()
{
    if (FPid != 0) {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }
    std::error_code error;
    std::filesystem::remove_all(FFolder, error);
}

std::vector<LoggedRequest> DataServerProcess::Requests() const
{
    std::vector<LoggedRequest> requests;
    const std::string log = ReadFile(FFolder + "/requests.log");
    for (std::size_t start = 0, end; (end = log.find(LogSeparator, start)) != std::string::npos;
         start = end + LogSeparator.size()) {
        const std::string raw = log.substr(start, end - start);
        const std::size_t blank = raw.find("\r\n\r\n");
        if (blank == std::string::npos)
            requests.push_back({raw, ""});
        else
            requests.push_back({raw.substr(0, blank + 2), raw.substr(blank + 4)});
    }
    return requests;
}

std::vector<std::string> DataServerProcess::RequestLines() const
{
    std::vector<std::string> lines;
    for (const LoggedRequest& request : Requests())
        lines.push_back(request.RequestLine());
    return lines;
}

bool DataServerProcess::Control(const std::string& pathAndQuery) const
{
    const int sock = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0)
        return false;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(FPort));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "GET " + pathAndQuery + " HTTP/1.0\r\n\r\n";
        if (send(sock, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
            char buffer[512];
            for (ssize_t got; (got = recv(sock, buffer, sizeof buffer, 0)) > 0;)
                reply.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(sock);
    return reply.rfind("HTTP/1.0 200", 0) == 0;
}

} // namespace download_test
