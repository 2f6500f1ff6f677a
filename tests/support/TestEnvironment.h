// Every test binary runs in Helsinki time, draws offscreen and has a private runtime folder and a
// private configuration folder (so the registry file it writes is its own), whatever the shell
// that started it had set. Only the tests of X11 key grabs use the shell's
// DISPLAY, through a connection of their own, and they skip without one; and the end-to-end
// tests run the window-manager cases on their own display by naming the platform in
// QEX_TEST_PLATFORM, which no shell sets by chance.
#pragma once
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// The process's own runtime folder, removed with the process's static objects when it ends.
// A helper a test started (the browser helper) may still be ending then, and the toolkit in it
// makes the runtime folder again when it is gone: the children are let end first, for a few
// seconds at most.
class TestRuntimeFolder {
public:
    explicit TestRuntimeFolder(const char* pattern_name = "qex-runtime-XXXXXX")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / pattern_name).string();
        if (mkdtemp(pattern.data()))
            FPath = pattern;
    }
    ~TestRuntimeFolder()
    {
        LetChildrenEnd();
        std::error_code ignored;
        if (!FPath.empty())
            std::filesystem::remove_all(FPath, ignored);
    }
    TestRuntimeFolder(const TestRuntimeFolder&) = delete;
    TestRuntimeFolder& operator=(const TestRuntimeFolder&) = delete;

    const std::string& Path() const { return FPath; }

private:
    static void LetChildrenEnd()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            const pid_t ended = ::waitpid(-1, nullptr, WNOHANG);
            if (ended < 0 && errno != EINTR)
                return;
            if (ended == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::string FPath;
};

inline void PrepareTestEnvironment()
{
    setenv("TZ", "Europe/Helsinki", 1);
    tzset();
    const char* platform = std::getenv("QEX_TEST_PLATFORM");
    setenv("QT_QPA_PLATFORM", platform && *platform ? platform : "offscreen", 1);
    static const TestRuntimeFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    static const TestRuntimeFolder config("qex-config-XXXXXX");
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
}
