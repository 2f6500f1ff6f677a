#include "platform/services/FolderLock.h"
#include "platform/core/Files.h"
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr char kAnswer = 'Y';

// An abstract socket address: it names no file, so nothing is left behind when its holder dies.
// The folder is named by its device and inode, which every path to it shares, and the user, so
// one user's copy never answers for another's.
struct SocketAddress {
    sockaddr_un address {};
    socklen_t length = 0;
};

bool AddressOf(const AnsiString& folder, const AnsiString& lockFileName, SocketAddress& out)
{
    struct stat info {};
    if (::stat(ToSystemPath(folder).c_str(), &info) != 0)
        return false;
    const std::string name = ToSystemPath(lockFileName) + "-" + std::to_string(::getuid()) + "-" +
                             std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino);
    if (name.size() + 1 > sizeof out.address.sun_path)
        return false;
    out.address.sun_family = AF_UNIX;
    std::memcpy(out.address.sun_path + 1, name.data(), name.size());
    out.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

bool PeerIsOurUser(int fd)
{
    ucred credentials {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 && credentials.uid == ::getuid();
}

void CloseOnce(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Waits for the holder's one-byte answer until the deadline.
bool AnswerArrives(int fd, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watch {fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char answer = 0;
        const ssize_t got = ::recv(fd, &answer, 1, 0);
        if (got < 0 && errno == EINTR)
            continue;
        return got == 1 && answer == kAnswer;
    }
}

} // namespace

TFolderLock::TFolderLock(const AnsiString& folder, const AnsiString& lockFileName)
    : FFolder(IncludeTrailingPathDelimiter(folder)), FLockFileName(lockFileName)
{
}

TFolderLock::~TFolderLock()
{
    FNotifier.reset();
    CloseOnce(FListenFd);
    CloseOnce(FLockFd);
}

bool TFolderLock::Acquire()
{
    // O_NOFOLLOW: a link planted under the lock's name is not ours to open.
    FLockFd = ::open(ToSystemPath(FFolder + FLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (FLockFd >= 0 && ::flock(FLockFd, LOCK_EX | LOCK_NB) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        CloseOnce(FLockFd);
        if (taken)
            return false;
    }
    SocketAddress address;
    if (!AddressOf(FFolder, FLockFileName, address))
        return true;
    FListenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (FListenFd < 0)
        return true;
    if (::bind(FListenFd, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0) {
        // A holder whose lock file was deleted under it still has the name.
        const bool taken = errno == EADDRINUSE;
        CloseOnce(FListenFd);
        if (taken) {
            CloseOnce(FLockFd);
            return false;
        }
        return true;
    }
    if (::listen(FListenFd, 8) != 0)
        CloseOnce(FListenFd);
    return true;
}

void TFolderLock::Serve(std::function<void()> comeForward)
{
    FComeForward = std::move(comeForward);
    if (FListenFd < 0 || FNotifier)
        return;
    FNotifier = std::make_unique<QSocketNotifier>(FListenFd, QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { AnswerWaitingCopies(); });
}

void TFolderLock::AnswerWaitingCopies()
{
    bool asked = false;
    for (;;) {
        int fd = ::accept4(FListenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (PeerIsOurUser(fd)) {
            const ssize_t sent = ::send(fd, &kAnswer, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            asked = asked || sent == 1;
        }
        ::close(fd);
    }
    if (asked && FComeForward)
        FComeForward();
}

bool TFolderLock::AskHolderToComeForward(int timeoutMs) const
{
    SocketAddress address;
    if (!AddressOf(FFolder, FLockFileName, address))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0) {
            const bool answered = PeerIsOurUser(fd) && AnswerArrives(fd, deadline);
            ::close(fd);
            return answered;
        }
        ::close(fd);
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}
