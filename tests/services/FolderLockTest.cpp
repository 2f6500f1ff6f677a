// One running copy per folder: a second lock on a folder fails while the first is held, also
// through another path to the folder; a holder killed with SIGKILL leaves the folder free and the
// next holder reachable; a later copy's request reaches the holder, and a holder that never
// answers, or closes without a word, is reported unreachable. Another user's process that takes the
// socket name anyone can work out from the folder neither keeps the folder nor answers for its
// holder. No copy runs without the lock: another user's copy in a folder open to both is refused
// and told whose copy holds it, and a lock file that can't be locked at all refuses every copy.
#include "platform/services/FolderLock.h"
#include "platform/core/Files.h"
#include "support/ChildProcess.h"
#include "support/ListingFixture.h"
#include <QCoreApplication>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const kLockName = ".QEX.LCK";

// The abstract socket name that anyone who can look the folder up can work out: the lock's name,
// the user and the folder's device and inode.
std::string GuessableName(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return {};
    return std::string(kLockName) + "-" + std::to_string(::getuid()) + "-" + std::to_string(info.st_dev) + "-" +
           std::to_string(info.st_ino);
}

// Takes `name` in the abstract namespace. 'Y' once it listens on `fd`.
char ListenOn(const std::string& name, int& fd)
{
    fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || ::listen(fd, 8) != 0)
        return 'B';
    return 'Y';
}

// In a child: becomes the unprivileged user, then listens as ListenOn does.
char ListenAsNobody(const std::string& name, int& fd)
{
    return fixture::BecomeNobody() ? ListenOn(name, fd) : 'U';
}

// The holder's name as its lock file publishes it.
std::string PublishedName(const std::string& folder)
{
    std::ifstream file(folder + kLockName, std::ios::binary);
    std::string name;
    std::getline(file, name);
    return name;
}

// What a caller that connects to the name gets: 'Y' the holder's answer, 'N' a close without one,
// 'C' no connection, 'T' nothing within a generous wait.
char CallAndRead(const std::string& name)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0)
        return 'C';
    pollfd watch {fd, POLLIN, 0};
    if (::poll(&watch, 1, 30000) != 1)
        return 'T';
    char answer = 0;
    const ssize_t got = ::recv(fd, &answer, 1, 0);
    ::close(fd);
    return got == 1 ? answer : 'N';
}

// Answers every caller at once, as a copy coming forward would.
void AnswerEveryone(int fd)
{
    for (;;) {
        const int caller = ::accept(fd, nullptr, nullptr);
        if (caller >= 0) {
            (void)::send(caller, "Y", 1, MSG_NOSIGNAL);
            ::close(caller);
        }
    }
}

// The answer to a request made from another thread, while this one runs the event loop.
bool AskWhileServing(const TFolderLock& asking, int timeoutMs)
{
    std::atomic<bool> done {false};
    bool answered = false;
    std::thread asker([&] {
        answered = asking.AskHolderToComeForward(timeoutMs);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    asker.join();
    return answered;
}

// Takes the folder and serves it: a later copy finds it held and brings the holder forward once.
void ExpectTakenAndReachable(const std::string& folder)
{
    TFolderLock holder(folder, kLockName);
    ASSERT_TRUE(holder.Acquire());
    int comeForward = 0;
    holder.Serve([&] { ++comeForward; });
    TFolderLock later(folder, kLockName);
    ASSERT_FALSE(later.Acquire());
    EXPECT_TRUE(AskWhileServing(later, 5000));
    EXPECT_EQ(comeForward, 1);
}

TEST(FolderLock, OneHolderPerFolderWhicheverPathNamesIt)
{
    fixture::TempFolder folder;
    fixture::TempFolder other;
    std::filesystem::create_directory_symlink(folder.Path(), other.Path() + "link");
    {
        TFolderLock first(folder.Path(), kLockName);
        ASSERT_TRUE(first.Acquire());
        EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path() + kLockName));
        TFolderLock second(folder.Path(), kLockName);
        EXPECT_FALSE(second.Acquire());
        TFolderLock throughLink(other.Path() + "link/", kLockName);
        EXPECT_FALSE(throughLink.Acquire());
        TFolderLock elsewhere(other.Path(), kLockName);
        EXPECT_TRUE(elsewhere.Acquire());
    }
    TFolderLock afterwards(folder.Path(), kLockName);
    EXPECT_TRUE(afterwards.Acquire());
}

// The lock file decides: a copy that holds it runs, whatever else holds a name, and is the one
// later copies reach. Where no lock file can be had, no copy runs.
TEST(FolderLock, TheLockFileDecidesAndAFolderWithoutOneIsRefused)
{
    fixture::TempFolder folder;
    TFolderLock first(folder.Path(), kLockName);
    ASSERT_TRUE(first.Acquire());
    int firstForward = 0;
    first.Serve([&] { ++firstForward; });
    std::filesystem::remove(folder.Path() + kLockName);
    ExpectTakenAndReachable(folder.Path());
    EXPECT_EQ(firstForward, 0);

    fixture::TempFolder lockless;
    std::filesystem::create_directory(lockless.Path() + kLockName); // no file can take its name
    TFolderLock refused(lockless.Path(), kLockName);
    EXPECT_FALSE(refused.Acquire());
    EXPECT_EQ(refused.Refusal(), TFolderLock::TRefusal::Unavailable);
    EXPECT_FALSE(refused.LockError().empty());
}

TEST(FolderLock, ALaterCopysRequestReachesTheHolderOnce)
{
    fixture::TempFolder folder;
    TFolderLock holder(folder.Path(), kLockName);
    ASSERT_TRUE(holder.Acquire());
    int comeForward = 0;
    holder.Serve([&] { ++comeForward; });
    TFolderLock later(folder.Path(), kLockName);
    ASSERT_FALSE(later.Acquire());
    EXPECT_TRUE(AskWhileServing(later, 5000));
    EXPECT_EQ(comeForward, 1);
    EXPECT_TRUE(AskWhileServing(later, 5000));
    EXPECT_EQ(comeForward, 2);
}

TEST(FolderLock, NoHolderOrAHolderThatNeverAnswersIsUnreachable)
{
    fixture::TempFolder folder;
    TFolderLock nobody(folder.Path(), kLockName);
    EXPECT_FALSE(nobody.AskHolderToComeForward(300));

    TFolderLock deaf(folder.Path(), kLockName);
    ASSERT_TRUE(deaf.Acquire()); // listening, but never served
    TFolderLock later(folder.Path(), kLockName);
    EXPECT_FALSE(later.AskHolderToComeForward(300));
}

// A holder that writes no name into its lock file, as an earlier version of the program, is
// reached on the folder's own name.
TEST(FolderLock, AHolderThatPublishesNoNameIsReachedOnTheFoldersName)
{
    fixture::TempFolder folder;
    const std::string lockFile = folder.Path() + kLockName;
    const std::string name = GuessableName(folder.Path());
    int fd = -1;
    fixture::Child earlier(
        [&] {
            const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
            if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0)
                return 'L';
            return ListenOn(name, fd);
        },
        [&] { AnswerEveryone(fd); });
    ASSERT_EQ(earlier.Answer(), 'Y');
    TFolderLock later(folder.Path(), kLockName);
    ASSERT_FALSE(later.Acquire());
    EXPECT_TRUE(later.AskHolderToComeForward(5000));
}

// A copy killed outright (no destructor, no clean-up) must not keep the folder, and what it left
// in the lock file must not keep the next holder from being reached.
TEST(FolderLock, AKilledHolderLeavesTheFolderFree)
{
    fixture::TempFolder folder;
    // Only the lock and its socket in the child: no event loop of its own.
    TFolderLock lock(folder.Path(), kLockName);
    fixture::Child crashed([&] { return lock.Acquire() ? 'Y' : 'N'; });
    ASSERT_EQ(crashed.Answer(), 'Y');
    TFolderLock meanwhile(folder.Path(), kLockName);
    EXPECT_FALSE(meanwhile.Acquire());

    crashed.Kill();
    ExpectTakenAndReachable(folder.Path());
}

// Whatever a lock file held before (a longer name, damage) is replaced whole by the one line.
TEST(FolderLock, TheHoldersNameReplacesWhatTheLockFileHeld)
{
    fixture::TempFolder folder;
    fixture::WriteBytes(folder.Path() + kLockName, std::string(300, 'x') + "\n" + std::string(300, 'y'));
    ExpectTakenAndReachable(folder.Path());
    std::ifstream file(folder.Path() + kLockName, std::ios::binary);
    const std::string held((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(held.empty());
    EXPECT_EQ(held.find('\n'), held.size() - 1) << held;
    EXPECT_EQ(held.find('x'), std::string::npos);
}

// Another local user can work out the socket name from the folder and take it first. The copy
// that holds the lock file runs all the same and is the one a later copy of its user reaches;
// a holder of that user's lock file that doesn't answer is not answered for by the other user.
TEST(FolderLock, AnotherUsersProcessOnTheFoldersNameNeitherKeepsTheFolderNorAnswersForIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs a process as another user, which needs root";
    fixture::TempFolder folder;
    const std::string name = GuessableName(folder.Path());
    int fd = -1;
    fixture::Child squatter([&] { return ListenAsNobody(name, fd); }, [&] { AnswerEveryone(fd); });
    ASSERT_EQ(squatter.Answer(), 'Y');
    ExpectTakenAndReachable(folder.Path());

    // A hung copy: it holds the lock file, which names the other user's socket, and never listens.
    const int hung = ::open((folder.Path() + kLockName).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(hung, 0);
    ASSERT_EQ(::flock(hung, LOCK_EX | LOCK_NB), 0);
    const std::string published = name + "\n";
    ASSERT_EQ(::write(hung, published.data(), published.size()), static_cast<ssize_t>(published.size()));
    TFolderLock asking(folder.Path(), kLockName);
    EXPECT_FALSE(asking.Acquire());
    EXPECT_FALSE(asking.AskHolderToComeForward(300));
    ::close(hung);
}

// In a folder open to every user (mode 0777): whichever user's copy holds the lock, the other
// user's copy doesn't run and is told whose copy it is; a lock file the other user may only read
// is locked all the same, and one it can't open at all keeps its copy from running.
TEST(FolderLock, AnotherUsersCopyNeverRunsBesideTheHolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs a process as another user, which needs root";
    fixture::TempFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    const std::string lockFile = folder.Path() + kLockName;
    const AnsiString denied = FromSystemPath(std::strerror(EACCES));
    // 'R' the copy runs; 'H' held by another user's copy; 'S' held by a copy of its own user;
    // 'D' the lock can't be taken, as permission is denied; 'X' it can't for another reason;
    // '?' anything else.
    const auto tryToRun = [&](TFolderLock& copy) {
        if (copy.Acquire())
            return 'R';
        if (copy.Refusal() == TFolderLock::TRefusal::Unavailable)
            return copy.LockError() == denied ? 'D' : 'X';
        if (copy.Refusal() != TFolderLock::TRefusal::Held)
            return '?';
        return copy.HeldByAnotherUser() ? 'H' : 'S';
    };
    // The copy is made before the fork: the child of this threaded process keeps to the lock's
    // own calls.
    const auto otherUserTries = [&] {
        TFolderLock copy(folder.Path(), kLockName);
        fixture::Child other([&] { return fixture::BecomeNobody() ? tryToRun(copy) : 'U'; });
        return other.Answer();
    };
    {
        TFolderLock root(folder.Path(), kLockName); // its lock file: root's, 0644
        ASSERT_TRUE(root.Acquire());
        EXPECT_EQ(otherUserTries(), 'H');
    }

    // The other user's copy takes root's lock file through a read-only descriptor and holds the
    // folder: a second copy of its own and root's copy are refused.
    TFolderLock first(folder.Path(), kLockName);
    TFolderLock second(folder.Path(), kLockName);
    fixture::Child holder([&] {
        if (!fixture::BecomeNobody())
            return 'U';
        if (!first.Acquire())
            return 'N';
        return tryToRun(second);
    });
    EXPECT_EQ(holder.Answer(), 'S');
    TFolderLock root(folder.Path(), kLockName);
    EXPECT_EQ(tryToRun(root), 'H');
    EXPECT_EQ(root.HolderUserName(), "nobody");
    holder.Kill();

    // A lock file planted where the other user can't even read it.
    ASSERT_EQ(::chmod(lockFile.c_str(), 0600), 0);
    EXPECT_EQ(otherUserTries(), 'D');

    // A folder it may not write, with no lock file: the lock file can't be made, however a look
    // for one to read then ends.
    ASSERT_EQ(::unlink(lockFile.c_str()), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_EQ(otherUserTries(), 'D');
}

// The holder answers only its own user: another user's process that connects to it gets the
// connection closed without a word, and the holder doesn't come forward for it.
TEST(FolderLock, AnotherUsersCallerGetsNoAnswerAndNothingComesForward)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs a process as another user, which needs root";
    fixture::TempFolder folder;
    TFolderLock holder(folder.Path(), kLockName);
    ASSERT_TRUE(holder.Acquire());
    int comeForward = 0;
    holder.Serve([&] { ++comeForward; });
    const std::string name = PublishedName(folder.Path());
    struct Caller {
        bool otherUser;
        char answer;
        int comeForward;
    };
    for (const Caller& caller : {Caller {true, 'N', 0}, Caller {false, 'Y', 1}}) {
        std::atomic<bool> done {false};
        char answer = 0;
        // Asks from a thread of its own, so this one's loop can serve it as the holder's would.
        std::thread asking([&] {
            fixture::Child call([&] {
                return caller.otherUser && !fixture::BecomeNobody() ? 'U' : CallAndRead(name);
            });
            answer = call.Answer();
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        asking.join();
        QCoreApplication::processEvents();
        EXPECT_EQ(answer, caller.answer) << (caller.otherUser ? "another user" : "the holder's user");
        EXPECT_EQ(comeForward, caller.comeForward);
    }
}

// A holder that accepts a connection and closes it without answering (a copy on its way out, say)
// is no answer: the later copy reports it unreachable rather than ending in silence.
TEST(FolderLock, AHolderThatClosesWithoutAnsweringIsUnreachable)
{
    fixture::TempFolder folder;
    const std::string lockFile = folder.Path() + kLockName;
    const std::string name = std::string(kLockName) + "-closing-" + std::to_string(::getpid());
    const std::string line = name + "\n";
    int fd = -1;
    fixture::Child closing(
        [&] {
            const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
            if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0 ||
                ::write(lock, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                return 'L';
            return ListenOn(name, fd);
        },
        [&] {
            for (;;) {
                const int caller = ::accept(fd, nullptr, nullptr);
                if (caller >= 0)
                    ::close(caller);
            }
        });
    ASSERT_EQ(closing.Answer(), 'Y');
    TFolderLock later(folder.Path(), kLockName);
    ASSERT_FALSE(later.Acquire());
    EXPECT_FALSE(later.HeldByAnotherUser());
    EXPECT_FALSE(later.AskHolderToComeForward(30000));
}

} // namespace
