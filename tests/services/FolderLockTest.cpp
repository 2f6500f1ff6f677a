// One running copy per folder: a second lock on a folder fails while the first is held, also
// through another path to the folder; a holder killed with SIGKILL leaves the folder free; a later
// copy's request reaches the holder, and a holder that never answers is reported unreachable.
#include "platform/services/FolderLock.h"
#include "support/ListingFixture.h"
#include <QCoreApplication>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const kLockName = ".QEX.LCK";

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

TEST(FolderLock, TheSocketAloneGuardsAFolderWhoseLockFileWentAway)
{
    fixture::TempFolder folder;
    TFolderLock first(folder.Path(), kLockName);
    ASSERT_TRUE(first.Acquire());
    std::filesystem::remove(folder.Path() + kLockName);
    TFolderLock second(folder.Path(), kLockName);
    EXPECT_FALSE(second.Acquire());
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

// A copy killed outright (no destructor, no clean-up) must not keep the folder.
TEST(FolderLock, AKilledHolderLeavesTheFolderFree)
{
    fixture::TempFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        // Only the lock and its socket in the child: no event loop of its own.
        auto* lock = new TFolderLock(folder.Path(), kLockName);
        const char taken = lock->Acquire() ? 'Y' : 'N';
        if (::write(ready[1], &taken, 1) != 1)
            ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(taken, 'Y');
    TFolderLock meanwhile(folder.Path(), kLockName);
    EXPECT_FALSE(meanwhile.Acquire());

    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    TFolderLock after(folder.Path(), kLockName);
    EXPECT_TRUE(after.Acquire());
}

} // namespace
