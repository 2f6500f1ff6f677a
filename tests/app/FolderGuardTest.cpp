// Start-up's one copy per folder, below the end-to-end suite: the first copy takes the folder and
// runs; a later one brings the running copy forward without a word and doesn't run; with a holder
// that never answers it warns, naming the folder, and still doesn't run; once the holder is gone
// the next copy runs. A copy that can't lock the folder, or finds another user's copy holding it,
// says why in a box and doesn't run.
#include "app/FolderGuard.h"
#include "forms/FormsFixture.h"
#include "platform/services/FolderLock.h"
#include "support/ChildProcess.h"
#include "support/ListingFixture.h"
#include "support/EventLoopWait.h"
#include <atomic>
#include <memory>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <filesystem>
#include <unistd.h>
#include <thread>

namespace {

const char* const kLockName = ".QEX.LCK";

class FolderGuard : public FormsTest {
protected:
    // A later copy asks from a thread of its own, so this one's loop can answer it as the running
    // copy's would.
    TFolderStart LaterCopyStarts(TFolderLock& later)
    {
        std::atomic<bool> done {false};
        TFolderStart start = TFolderStart::Runs;
        std::thread copy([&] {
            start = TakeFolderOrBringHolderForward(later, 30000);
            done = true;
        });
        // The copy gives up on its own after its wait: this only keeps the loop running meanwhile.
        fixture::RunUntil([&] { return done.load(); }, 60000);
        copy.join();
        return start;
    }

    // A copy started on `folder` that is expected to show a box and not run: the box's text.
    AnsiString BoxOfACopyThatDoesntRun(const std::string& folder, int holderAnswerMs = 3000)
    {
        AnsiString shown;
        Answers.push_back([&](ModalBox& box) {
            shown = box.Text();
            box.Close(mrOk);
        });
        TFolderLock copy(folder, kLockName);
        EXPECT_EQ(TakeFolderOrBringHolderForward(copy, holderAnswerMs), TFolderStart::Refused);
        return shown;
    }

    fixture::TempFolder Folder;
};

TEST_F(FolderGuard, TheFirstCopyRunsALaterOneBringsItForwardAndEnds)
{
    auto running = std::make_unique<TFolderLock>(Folder.Path(), kLockName);
    ASSERT_EQ(TakeFolderOrBringHolderForward(*running, 30000), TFolderStart::Runs);
    int cameForward = 0;
    running->Serve([&] { ++cameForward; });

    TFolderLock later(Folder.Path(), kLockName);
    EXPECT_EQ(LaterCopyStarts(later), TFolderStart::HolderCameForward); // and no box: none is answered here
    EXPECT_TRUE(fixture::RunUntil([&] { return cameForward == 1; }));

    // A copy that ended, however it ended, leaves the folder to the next one.
    running.reset();
    TFolderLock next(Folder.Path(), kLockName);
    EXPECT_EQ(TakeFolderOrBringHolderForward(next, 30000), TFolderStart::Runs);
}

TEST_F(FolderGuard, AHolderThatNeverAnswersIsReportedAndTheLaterCopyEnds)
{
    TFolderLock hung(Folder.Path(), kLockName);
    ASSERT_TRUE(hung.Acquire()); // holds the folder but never serves
    const AnsiString warned = BoxOfACopyThatDoesntRun(Folder.Path(), 300);
    EXPECT_EQ(warned, UnreachableCopyText());
    EXPECT_EQ(warned.rfind("QEX 2000 on jo käynnissä tässä kansiossa, mutta sen ikkunaa ei saatu esiin.\r\n("_a, 0), 0u)
        << warned;
}

TEST_F(FolderGuard, AFolderWhereTheLockFileCantBeSaysWhyAndTheCopyDoesntRun)
{
    const std::string lockFile = Folder.Path() + kLockName;
    ASSERT_TRUE(std::filesystem::create_directory(lockFile));
    EXPECT_EQ(BoxOfACopyThatDoesntRun(Folder.Path()), UnavailableLockText(lockFile, "Is a directory"));
}

TEST_F(FolderGuard, AnotherUsersCopyHoldingTheFolderIsNamedAndTheCopyDoesntRun)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs a process as another user, which needs root";
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 0777), 0);
    // The other user's copy, as far as the lock goes: it holds the file it made. Its path is made
    // before the fork, so the child of this threaded process only makes system calls.
    const std::string lockFile = Folder.Path() + kLockName;
    fixture::Child holder([&lockFile] {
        if (!fixture::BecomeNobody())
            return 'U';
        const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0644);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'Y' : 'N';
    });
    ASSERT_EQ(holder.Answer(), 'Y');
    EXPECT_EQ(BoxOfACopyThatDoesntRun(Folder.Path()), AnotherUsersCopyText("nobody"));
}

} // namespace
