#include "platform/services/FolderLock.h"
#include "platform/core/Files.h"
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr char kAnswer = 'Y';
// The longest socket name the lock file can carry, its line end included.
constexpr std::size_t kMaxPublishedName = sizeof(sockaddr_un::sun_path) - 1;

// An abstract socket address: it names no file, so nothing is left behind when its holder dies.
struct SocketAddress {
    sockaddr_un address {};
    socklen_t length = 0;
};

bool AddressNamed(const std::string& name, SocketAddress& out)
{
    if (name.empty() || name.size() + 1 > sizeof out.address.sun_path)
        return false;
    out.address.sun_family = AF_UNIX;
    std::memcpy(out.address.sun_path + 1, name.data(), name.size());
    out.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

// The folder's own name, for a folder without a lock file: its device and inode, which every
// path to it shares, and the user. Anyone who can look the folder up can work it out.
std::string FolderName(const AnsiString& folder, const AnsiString& lockFileName)
{
    struct stat info {};
    if (::stat(ToSystemPath(folder).c_str(), &info) != 0)
        return {};
    return ToSystemPath(lockFileName) + "-" + std::to_string(::getuid()) + "-" + std::to_string(info.st_dev) + "-" +
           std::to_string(info.st_ino);
}

// A name nobody can take before the holder does: it is drawn at random and told only through the
// lock file, once the holder listens on it.
std::string RandomName(const AnsiString& lockFileName)
{
    std::uint64_t draw = 0;
    if (::getrandom(&draw, sizeof draw, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof draw))
        return {};
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(draw));
    return ToSystemPath(lockFileName) + "-" + std::to_string(::getuid()) + "-" + hex;
}

// The holder's name from its lock file: one line. Empty while the holder has not written it yet.
std::string PublishedName(const AnsiString& lockPath)
{
    const int fd = ::open(ToSystemPath(lockPath).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return {};
    char text[kMaxPublishedName + 1];
    const ssize_t got = ::pread(fd, text, sizeof text, 0);
    ::close(fd);
    if (got <= 0)
        return {};
    const auto* end = static_cast<const char*>(std::memchr(text, '\n', static_cast<std::size_t>(got)));
    return end ? std::string(text, static_cast<std::size_t>(end - text)) : std::string();
}

// Written over the last copy's name, then cut to its length: emptying the file first would give
// back its block, which on a disk that is told of freed blocks waits for the disk at every start.
// A reader between the two finds the new line first; one that reads a torn name tries again.
bool Publish(int lockFd, const std::string& name)
{
    const std::string line = name + "\n";
    const auto size = static_cast<ssize_t>(line.size());
    return ::pwrite(lockFd, line.data(), line.size(), 0) == size && ::ftruncate(lockFd, size) == 0;
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

// A listening socket on the name, or -1 (errno tells why).
int Listen(const SocketAddress& address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0 || ::listen(fd, 8) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// A connection to the name's holder when it is this user's; -1 otherwise.
int ConnectToOurUser(const SocketAddress& address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0 || !PeerIsOurUser(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
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
    if (FLockFd >= 0) {
        // The lock file decides: whatever holds a name, this copy runs, reachable when it can listen.
        SocketAddress address;
        const std::string name = RandomName(FLockFileName);
        if (AddressNamed(name, address)) {
            FListenFd = Listen(address);
            if (FListenFd >= 0 && !Publish(FLockFd, name))
                CloseOnce(FListenFd);
        }
        return true;
    }
    return AcquireFolderName();
}

bool TFolderLock::AcquireFolderName()
{
    SocketAddress address;
    if (!AddressNamed(FolderName(FFolder, FLockFileName), address))
        return true;
    FListenFd = Listen(address);
    if (FListenFd >= 0 || errno != EADDRINUSE)
        return true;
    // Only a copy of this user keeps the folder; another user's process on the name does not.
    // (Should the copy accept this look before it is closed, it comes forward once more.)
    int holder = ConnectToOurUser(address);
    if (holder < 0)
        return true;
    ::close(holder);
    return false;
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        // Read at every try: a holder that is still starting may not have written its name yet,
        // and the name a crashed copy left may meanwhile be anyone's. A holder without a lock
        // file listens on the folder's own name.
        for (const std::string& name : {PublishedName(FFolder + FLockFileName), FolderName(FFolder, FLockFileName)}) {
            SocketAddress address;
            const int fd = AddressNamed(name, address) ? ConnectToOurUser(address) : -1;
            if (fd >= 0) {
                const bool answered = AnswerArrives(fd, deadline);
                ::close(fd);
                return answered;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}
