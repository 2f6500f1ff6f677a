#include "platform/services/DetachedProcess.h"
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Only async-signal-safe calls from here on: the child of a threaded process.
[[noreturn]] void FailChild(int reportFd, int error)
{
    ssize_t ignored = write(reportFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

void ResetSignals()
{
    struct sigaction dflt {};
    dflt.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        if (sig != SIGKILL && sig != SIGSTOP)
            sigaction(sig, &dflt, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// Marks every descriptor above the standard three close-on-exec: sockets of a running download
// and the listing files must not leak into an alarm's program.
void CloseOnExecAbove2(int maxFd)
{
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    for (int fd = 3; fd < maxFd; ++fd)
        fcntl(fd, F_SETFD, FD_CLOEXEC);
}

[[noreturn]] void RunProgram(const char* path, char* const* argv, const char* directory, int reportFd, int maxFd)
{
    ResetSignals();
    if (directory && chdir(directory) != 0)
        FailChild(reportFd, errno);
    int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull >= 0)
        dup2(devNull, STDIN_FILENO);
    CloseOnExecAbove2(maxFd);
    execv(path, argv);
    FailChild(reportFd, errno);
}

int OpenFileLimit()
{
    struct rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < 65536)
        return static_cast<int>(limit.rlim_cur);
    return 65536;
}

// The report pipe stays open until the program's exec closes it: nothing read means success.
int ReadChildReport(int fd)
{
    int error = 0;
    std::size_t got = 0;
    while (got < sizeof error) {
        ssize_t n = read(fd, reinterpret_cast<char*>(&error) + got, sizeof error - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got == sizeof error ? error : 0;
}

} // namespace

int StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory)
{
    // Everything the child needs is made before fork: it must not allocate.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const char* dir = directory.empty() ? nullptr : directory.c_str();
    const int maxFd = OpenFileLimit();

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;
    pid_t middle = fork();
    if (middle < 0) {
        int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    if (middle == 0) {
        // The middle child leaves at once, so the program is nobody's child to reap.
        close(report[0]);
        setsid();
        pid_t program = fork();
        if (program < 0)
            FailChild(report[1], errno);
        if (program > 0)
            _exit(0);
        RunProgram(argv[0], argv.data(), dir, report[1], maxFd);
    }
    close(report[1]);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = ReadChildReport(report[0]);
    close(report[0]);
    return error;
}
