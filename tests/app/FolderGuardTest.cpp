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
#include <cstdio>
#include <functional>
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
    bool LaterCopyRuns(TFolderLock& later)
    {
        std::atomic<bool> done {false};
        bool runs = true;
        std::thread copy([&] {
            runs = TakeFolderOrBringHolderForward(later, 30000);
            done = true;
        });
        // The copy gives up on its own after its wait: this only keeps the loop running meanwhile.
        fixture::RunUntil([&] { return done.load(); }, 60000);
        copy.join();
        return runs;
    }

    fixture::TempFolder Folder;
    std::unique_ptr<fixture::Child> Holder;
};

TEST_F(FolderGuard, TheFirstCopyRunsALaterOneBringsItForwardAndEnds)
{
    auto running = std::make_unique<TFolderLock>(Folder.Path(), kLockName);
    ASSERT_TRUE(TakeFolderOrBringHolderForward(*running, 30000));
    int cameForward = 0;
    running->Serve([&] { ++cameForward; });

    TFolderLock later(Folder.Path(), kLockName);
    EXPECT_FALSE(LaterCopyRuns(later)); // and no box: none is answered here
    EXPECT_TRUE(fixture::RunUntil([&] { return cameForward == 1; }));

    // A copy that ended, however it ended, leaves the folder to the next one.
    running.reset();
    TFolderLock next(Folder.Path(), kLockName);
    EXPECT_TRUE(TakeFolderOrBringHolderForward(next, 30000));
}

TEST_F(FolderGuard, AHolderThatNeverAnswersIsReportedAndTheLaterCopyEnds)
{
    TFolderLock hung(Folder.Path(), kLockName);
    ASSERT_TRUE(hung.Acquire()); // holds the folder but never serves
    AnsiString warned;
    Answers.push_back([&](ModalBox& box) {
        warned = box.Text();
        box.Close(mrOk);
    });
    TFolderLock later(Folder.Path(), kLockName);
    EXPECT_FALSE(TakeFolderOrBringHolderForward(later, 300));
    EXPECT_EQ(warned, UnreachableCopyText());
    EXPECT_EQ(warned.rfind("QEX 2000 on jo käynnissä tässä kansiossa, mutta sen ikkunaa ei saatu esiin.\r\n("_a, 0), 0u)
        << warned;
}

TEST_F(FolderGuard, ACopyThatCantHoldTheFolderSaysWhyAndDoesntRun)
{
    struct Case {
        const char* what;
        std::function<bool(const std::string&)> prepare; // false: the case can't be set up here
        std::function<AnsiString(const std::string&)> text;
    };
    const Case cases[] = {
        {"a folder where the lock file can't be",
         [](const std::string& folder) { return std::filesystem::create_directory(folder + kLockName); },
         [](const std::string& folder) { return UnavailableLockText(folder + kLockName, "Is a directory"); }},
        {"another user's copy holds the folder",
         [this](const std::string& folder) {
             if (::geteuid() != 0 || ::chmod(folder.c_str(), 0777) != 0)
                 return false;
             // The other user's copy, as far as the lock goes: it holds the file it made.
             Holder = std::make_unique<fixture::Child>([&folder] {
                 if (!fixture::BecomeNobody())
                     return 'U';
                 const int fd = ::open((folder + kLockName).c_str(), O_RDWR | O_CREAT, 0644);
                 return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'Y' : 'N';
             });
             return Holder->Answer() == 'Y';
         },
         [](const std::string&) { return AnotherUsersCopyText("nobody"); }},
    };
    for (const Case& run : cases) {
        SCOPED_TRACE(run.what);
        fixture::TempFolder folder;
        if (!run.prepare(folder.Path())) {
            std::printf("skipped (needs root): %s\n", run.what);
            continue;
        }
        AnsiString shown;
        Answers.push_back([&](ModalBox& box) {
            shown = box.Text();
            box.Close(mrOk);
        });
        TFolderLock copy(folder.Path(), kLockName);
        EXPECT_FALSE(TakeFolderOrBringHolderForward(copy, 3000));
        EXPECT_EQ(shown, run.text(folder.Path()));
        Holder.reset();
    }
}

} // namespace
