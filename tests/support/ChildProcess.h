// A forked child process for tests of what other processes, or other users, see: it runs a set-up,
// reports one character, and stays until it is killed.
#pragma once
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fixture {

// The unprivileged user that tests run as when they need another user than root.
constexpr uid_t kNobody = 65534;

// In a child: becomes the unprivileged user for good.
inline bool BecomeNobody()
{
    return ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
           ::setresuid(kNobody, kNobody, kNobody) == 0;
}

// A child process that runs `setUp` (its answer, one character, comes back through a pipe), then
// `serve`, and waits to be killed.
class Child {
public:
    explicit Child(const std::function<char()>& setUp, const std::function<void()>& serve = {})
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        FPid = ::fork();
        if (FPid == 0) {
            ::close(ready[0]);
            const char answer = setUp();
            if (::write(ready[1], &answer, 1) != 1)
                ::_exit(2);
            if (serve)
                serve();
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        if (FPid > 0 && ::read(ready[0], &FAnswer, 1) != 1)
            FAnswer = 0;
        ::close(ready[0]);
    }
    ~Child() { Kill(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    char Answer() const { return FAnswer; }
    void Kill()
    {
        if (FPid <= 0)
            return;
        ::kill(FPid, SIGKILL);
        int status = 0;
        ::waitpid(FPid, &status, 0);
        FPid = -1;
    }

private:
    pid_t FPid = -1;
    char FAnswer = 0;
};

} // namespace fixture
