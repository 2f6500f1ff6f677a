#include "platform/services/WebPageHelperProcess.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* kHelperName = "qex-browser";
// A helper that has not ended this long after its channel closed is killed.
constexpr auto kEndGrace = std::chrono::seconds(5);
constexpr auto kReapStep = std::chrono::milliseconds(20);

// Beside the program and nowhere else: a program copied with its folder runs the helper it came
// with, never one that happens to lie where it was built.
QString HelperPath()
{
    const QString beside = QCoreApplication::applicationDirPath() + "/" + kHelperName;
    return QFileInfo(beside).isExecutable() ? beside : QString();
}

void Reap(pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + kEndGrace;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = ::waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return;
        std::this_thread::sleep_for(kReapStep);
    }
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

std::optional<WebPageHelper> StartWebPageHelper(QString& failure)
{
    const QString path = HelperPath();
    if (path.isEmpty()) {
        failure = QStringLiteral("%1 not found beside the program").arg(kHelperName);
        return std::nullopt;
    }
    return StartWebPageHelper(path, failure);
}

std::optional<WebPageHelper> StartWebPageHelper(const QString& path, QString& failure)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        failure = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    // Duplicating the helper's end onto itself clears its close-on-exec flag in the child alone,
    // so no other program the process starts meanwhile inherits it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], ends[1]);
    const QByteArray program = path.toLocal8Bit();
    const QByteArray channel = "--channel=" + QByteArray::number(ends[1]);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(channel.constData()), nullptr};
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        failure = QString::fromLocal8Bit(std::strerror(error));
        return std::nullopt;
    }
    return WebPageHelper{pid, ends[0]};
}

void EndWebPageHelper(const WebPageHelper& helper)
{
    if (helper.channel >= 0)
        ::close(helper.channel);
    if (helper.pid > 0)
        std::thread(Reap, helper.pid).detach();
}
