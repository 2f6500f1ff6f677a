#include "platform/services/FolderLock.h"
#include "platform/core/Files.h"
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// The folder's own name, for a holder that can't write its name into the lock file: the folder's
// device and inode, which every path to it shares, and the user. Anyone who can look the folder
// up can work it out.
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

// The real user of the process that holds an exclusive flock on the file, from the system's lock
// table; -1 when the table doesn't tell (no /proc, a process of another namespace).
long LockHolderUser(const struct stat& file)
{
    std::FILE* table = std::fopen("/proc/locks", "re");
    if (!table)
        return -1;
    char wanted[64];
    std::snprintf(wanted, sizeof wanted, "%02x:%02x:%llu", major(file.st_dev), minor(file.st_dev),
                  static_cast<unsigned long long>(file.st_ino));
    long pid = -1;
    char line[256];
    while (pid < 0 && std::fgets(line, sizeof line, table)) {
        char kind[16], mode[16], access[16], device[64];
        long holder = 0;
        // "1: FLOCK  ADVISORY  WRITE 1234 fe:00:5678 0 EOF"; a waiter's line has "->" after the number.
        if (std::strstr(line, "->") == nullptr &&
            std::sscanf(line, "%*[^:]: %15s %15s %15s %ld %63s", kind, mode, access, &holder, device) == 5 &&
            std::strcmp(kind, "FLOCK") == 0 && std::strcmp(device, wanted) == 0 && holder > 0)
            pid = holder;
    }
    std::fclose(table);
    if (pid < 0)
        return -1;
    std::FILE* status = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "re");
    if (!status)
        return -1;
    long uid = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "Uid: %ld", &uid) == 1)
            break;
    std::fclose(status);
    return uid;
}

AnsiString UserName(long uid)
{
    if (uid < 0)
        return "?";
    passwd entry {};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(static_cast<uid_t>(uid), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
        return FromSystemPath(found->pw_name);
    return std::to_string(uid);
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
    FRefusal = TRefusal::None;
    FHolderUser = -1;
    FLockError.clear();
    const std::string path = ToSystemPath(FFolder + FLockFileName);
    // O_NOFOLLOW: a link planted under the lock's name is not ours to open.
    FLockFd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    const bool writable = FLockFd >= 0;
    // Another user's lock file in a folder open to both can still be locked: flock holds through
    // a read-only descriptor too, and a copy that can't lock the file must not run beside its holder.
    if (!writable && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        const int denied = errno;
        FLockFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        // No file to read means it couldn't be made: the refusal to make it is the reason.
        if (FLockFd < 0 && errno == ENOENT)
            errno = denied;
    }
    if (FLockFd < 0)
        return Refuse(TRefusal::Unavailable);
    struct stat info {};
    if (::fstat(FLockFd, &info) != 0)
        return Refuse(TRefusal::Unavailable);
    if (!S_ISREG(info.st_mode)) {
        FLockError = "not a regular file";
        CloseOnce(FLockFd);
        FRefusal = TRefusal::Unavailable;
        return false;
    }
    if (::flock(FLockFd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            return Refuse(TRefusal::Unavailable);
        FHolderUser = LockHolderUser(info);
        return Refuse(TRefusal::Held);
    }
    ListenForLaterCopies(writable);
    return true;
}

bool TFolderLock::Refuse(TRefusal refusal)
{
    if (refusal == TRefusal::Unavailable)
        FLockError = FromSystemPath(std::strerror(errno));
    CloseOnce(FLockFd);
    FRefusal = refusal;
    return false;
}

// The lock file decides: whatever holds a name, this copy runs, reachable when it can listen.
// A holder that can't write the file listens on the folder's own name, which its user's later
// copies try after the published one.
void TFolderLock::ListenForLaterCopies(bool canPublish)
{
    SocketAddress address;
    const std::string name = canPublish ? RandomName(FLockFileName) : FolderName(FFolder, FLockFileName);
    if (!AddressNamed(name, address))
        return;
    FListenFd = Listen(address);
    if (FListenFd >= 0 && canPublish && !Publish(FLockFd, name))
        CloseOnce(FListenFd);
}

bool TFolderLock::HeldByAnotherUser() const
{
    return FHolderUser >= 0 && FHolderUser != static_cast<long>(::getuid());
}

AnsiString TFolderLock::HolderUserName() const
{
    return UserName(FHolderUser);
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
        // and the name a crashed copy left may meanwhile be anyone's. A holder that may only read
        // the lock file (or an earlier version of the program) listens on the folder's own name.
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
