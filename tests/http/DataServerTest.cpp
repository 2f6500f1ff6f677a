// One road through the sample data server, as the program takes it: through the proxy setting,
// the version file, the listing package, and the server's faults.
#include "http/HttpClientFixture.h"
#include "net/MessageWait.h"
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

class DataServer {
public:
    DataServer()
    {
        std::string script = std::string(QEX_SOURCE_DIR) + "/tools/data_server.py";
        const char* argv[] = {"python3", script.c_str(), "--port", "0", "--port-file", FPortFile.c_str(), nullptr};
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&FPid, "python3", &quiet, nullptr, const_cast<char**>(argv), environ) != 0)
            FPid = 0;
        posix_spawn_file_actions_destroy(&quiet);
        for (std::int64_t deadline = MonotonicMs() + 60000; FPid && FPort == 0 && MonotonicMs() < deadline;) {
            std::ifstream(FPortFile) >> FPort;
            usleep(20000);
        }
    }
    ~DataServer()
    {
        if (FPid) {
            kill(FPid, SIGTERM);
            waitpid(FPid, nullptr, 0);
        }
        std::remove(FPortFile.c_str());
    }
    int Port() const { return FPort; }

private:
    std::string FPortFile = "/tmp/qex-http-test-port-" + std::to_string(getpid());
    pid_t FPid = 0;
    int FPort = 0;
};

} // namespace

TEST_F(HttpClientTest, SampleDataServerThroughTheProxySetting)
{
    DataServer data;
    if (data.Port() == 0)
        GTEST_SKIP() << "the sample data server did not start (is python3 installed?)";
    http->Proxy = "127.0.0.1";
    http->ProxyPort = std::to_string(data.Port());
    const std::string server = "http://qex.example";

    http->URL = server + "/qex/data/versio.txt";
    ASSERT_EQ(Run().message, "");
    EXPECT_EQ(Body().substr(0, 4), "476 ");

    TStringStream files("files=01-07,01-08");
    auto post = [&] {
        files.SetPosition(0);
        http->SendStream = &files;
        http->URL = server + "/qex/data/qex.cgi";
        return Run(httpPOST);
    };
    ASSERT_EQ(post().message, "");
    ASSERT_GT(Body().size(), 2u);
    EXPECT_EQ(Body().substr(0, 2), "\x1F\x8B"); // gzip
    EXPECT_EQ(http->RcvdCount(), http->ContentLength());

    auto fault = [&](const std::string& mode) {
        http->URL = server + "/control/fault?mode=" + mode + "&count=1";
        ASSERT_EQ(Run().message, "") << mode;
    };
    fault("short");
    EXPECT_EQ(post().message, "Connection closed before end of document");
    fault("reset");
    Outcome reset = post();
    EXPECT_EQ(reset.code, 404);
    EXPECT_NE(reset.message.find("(Error #"), std::string::npos) << reset.message;
    // A reset right after the last byte leaves a whole package.
    fault("wholereset");
    EXPECT_EQ(post().message, "");
    EXPECT_EQ(Body().substr(0, 2), "\x1F\x8B");
    EXPECT_EQ(http->RcvdCount(), http->ContentLength());
    fault("500");
    EXPECT_EQ(post().code, 500);
    fault("zerolength");
    EXPECT_EQ(post().message, "");
    EXPECT_EQ(Body(), "");
    fault("nolength");
    EXPECT_EQ(post().message, "");
    EXPECT_EQ(http->ContentLength(), -1);
    EXPECT_EQ(Body().substr(0, 2), "\x1F\x8B");
}
