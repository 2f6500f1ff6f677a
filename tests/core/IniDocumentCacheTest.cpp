// Parsed INI files kept between reads: read once while unchanged, read again after any change,
// however it was made, with or without a watch on the folder.
#include "CoarseFileClock.h"
#include "TempFolder.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Files.h"
#include "platform/core/IniDocumentCache.h"
#include "platform/core/IniFile.h"
#include "support/FileWatching.h"
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Counts the opens of one file for reading.
class OpenCounter {
public:
    explicit OpenCounter(std::string path) : FPath(std::move(path))
    {
        SetFileFault([this](const AnsiString& path, bool writing) {
            FOpens += !writing && path == FPath;
            return 0;
        });
    }
    ~OpenCounter() { SetFileFault(nullptr); }
    int Opens() const { return FOpens; }

private:
    std::string FPath;
    int FOpens = 0;
};

// Another program's atomic save: a new file renamed over the old one.
void ReplaceByRename(const std::string& path, const std::string& bytes)
{
    TempFolder::Write(path + ".new", bytes);
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
}

AnsiString ValueOf(IniDocumentCache& cache, const std::string& path)
{
    return cache.Document(path)->Value("S", "k").value_or("<absent>");
}

// Every way of changing the file between two reads, each keeping its size.
void ExpectEveryChangeSeen(IniDocumentCache& cache, const std::string& path, const std::string& written)
{
    TempFolder::Write(written, "[S]\r\nk=1\r\n");
    EXPECT_EQ(ValueOf(cache, path), "1");
    OverwriteInPlace(written, "[S]\r\nk=2");
    EXPECT_EQ(ValueOf(cache, path), "2") << "changed in place";
    ReplaceByRename(written, "[S]\r\nk=3\r\n");
    EXPECT_EQ(ValueOf(cache, path), "3") << "replaced";
    std::filesystem::remove(written);
    EXPECT_EQ(ValueOf(cache, path), "<absent>") << "removed";
    TempFolder::Write(written, "[S]\r\nk=4\r\n");
    EXPECT_EQ(ValueOf(cache, path), "4") << "written anew";
}

} // namespace

TEST(IniDocumentCache, ManyReadsOfAnUnchangedFileOpenItOnce)
{
    TempFolder folder;
    const std::string path = folder / "QEX.INI";
    TempFolder::Write(path, "[S]\r\nk=1\r\n");
    OpenCounter counter(path);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(TIniFile(path).ReadString("S", "k", ""), "1");
    EXPECT_EQ(counter.Opens(), 1);

    // The program's own write is seen by its next read, which reads the file again once.
    TIniFile(path).WriteString("S", "k", "2");
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(TIniFile(path).ReadString("S", "k", ""), "2");
    EXPECT_EQ(counter.Opens(), 3) << "one read for the write and one after it";
}

TEST(IniDocumentCache, ChangesByOthersAreSeenWithTheFolderWatched)
{
    TempFolder folder;
    IniDocumentCache cache(true);
    ExpectEveryChangeSeen(cache, folder / "QEX.INI", folder / "QEX.INI");
}

TEST(IniDocumentCache, ChangesByOthersAreSeenByTheFileTimesAlone)
{
    TempFolder folder;
    IniDocumentCache cache(false);
    ExpectEveryChangeSeen(cache, folder / "QEX.INI", folder / "QEX.INI");
}

// The watch sees the folder of the name that was read, not that of a file it links to.
TEST(IniDocumentCache, ChangesThroughALinkOrASecondNameAreSeen)
{
    TempFolder folder, elsewhere;
    IniDocumentCache cache(true);
    const std::string link = folder / "QEX.INI";
    TempFolder::Write(elsewhere / "real.ini", "");
    std::filesystem::create_symlink(elsewhere / "real.ini", link);
    ExpectEveryChangeSeen(cache, link, elsewhere / "real.ini");

    TempFolder other;
    const std::string named = other / "QEX.INI";
    TempFolder::Write(elsewhere / "both.ini", "[S]\r\nk=1\r\n");
    std::filesystem::create_hard_link(elsewhere / "both.ini", named);
    EXPECT_EQ(ValueOf(cache, named), "1");
    OverwriteInPlace(elsewhere / "both.ini", "[S]\r\nk=2");
    EXPECT_EQ(ValueOf(cache, named), "2");
}

TEST(IniDocumentCache, AnEditorsChangeIsSeenWhileOtherFilesOfTheFolderChange)
{
    TempFolder folder;
    IniDocumentCache cache(true);
    const std::string path = folder / "QEX.INI";
    TempFolder::Write(path, "[S]\r\nk=1\r\n");
    EXPECT_EQ(ValueOf(cache, path), "1");
    TempFolder::Write(folder / "QEX.ALS", "alarms");
    EXPECT_EQ(ValueOf(cache, path), "1");
    OverwriteInPlace(path, "[S]\r\nk=5");
    TempFolder::Write(folder / "QEX.ALS", "more alarms");
    EXPECT_EQ(ValueOf(cache, path), "5");
}

// A watch costs the process's end a wait in the kernel: files left alone for a while are told
// apart by their times, and only a file changed moments ago is watched.
TEST(IniDocumentCache, OnlyAFileChangedMomentsAgoIsWatched)
{
    TempFolder folder;
    IniDocumentCache cache(true);
    const std::string path = folder / "QEX.INI";
    TempFolder::Write(path, "[S]\r\nk=1\r\n");
    ASSERT_TRUE(fixture::WaitUntilSettled(path));
    const int before = fixture::OpenWatchInstances();
    EXPECT_EQ(ValueOf(cache, path), "1");
    EXPECT_EQ(fixture::OpenWatchInstances(), before);
    OverwriteInPlace(path, "[S]\r\nk=2");
    EXPECT_EQ(ValueOf(cache, path), "2") << "a change of a file kept unwatched";
    EXPECT_EQ(fixture::OpenWatchInstances(), before + 1);
}

// The program writes settings it has just read at every start (the day bar's switch): a value the
// file already holds, as it would be written, costs no reading of a file of thousands of lines.
TEST(IniDocumentCache, AWriteOfAValueTheFileHoldsDoesNotReadIt)
{
    TempFolder folder;
    const std::string path = folder / "QEX.INI";
    TempFolder::Write(path, "[Muut]\r\nPPalkki=1\r\nq=\"1\"\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Muut", "PPalkki", ""), "1");
    OpenCounter counter(path);
    ini.WriteBool("muut", "ppalkki", true);
    EXPECT_EQ(counter.Opens(), 0);
    // Written differently from how the file holds it: the file is written.
    ini.WriteString("Muut", "q", "1");
    EXPECT_EQ(TempFolder::Read(path), "[Muut]\r\nPPalkki=1\r\nq=1\r\n");
    TempFolder::Write(path, "[Muut]\nPPalkki=1\n");
    ini.WriteBool("Muut", "PPalkki", true);
    EXPECT_EQ(TempFolder::Read(path), "[Muut]\r\nPPalkki=1\r\n");

    // A file nothing has read yet is read once for the write, not once more to look at it.
    const std::string other = folder / "OTHER.INI";
    TempFolder::Write(other, "[Muut]\r\nPPalkki=0\r\n");
    OpenCounter otherOpens(other);
    TIniFile(other).WriteBool("Muut", "PPalkki", true);
    EXPECT_EQ(otherOpens.Opens(), 1);
    EXPECT_EQ(TempFolder::Read(other), "[Muut]\r\nPPalkki=1\r\n");
}

namespace {

// How many events the folder watch's kernel queue holds; 0 where that is unknown or too large to
// fill quickly, a property of the machine.
long WatchQueueLimit()
{
    long limit = 0;
    std::FILE* setting = std::fopen("/proc/sys/fs/inotify/max_queued_events", "r");
    if (!setting)
        return 0;
    const bool known = std::fscanf(setting, "%ld", &limit) == 1;
    std::fclose(setting);
    return known && limit > 0 && limit <= (1L << 20) ? limit : 0;
}

// Fills the folder watch's kernel queue past its limit with renames in the folder, so that what
// follows is lost to the watch; false where a rename fails.
bool OverflowWatchQueue(const std::string& folder, long limit)
{
    TempFolder::Write(folder + "a", "");
    // Each rename queues two events that the kernel never merges.
    for (long i = 0; i <= limit / 2; ++i)
        if (std::rename((folder + (i % 2 ? "b" : "a")).c_str(), (folder + (i % 2 ? "a" : "b")).c_str()) != 0)
            return false;
    return true;
}

// A watch that lost track of its folder tells nothing of what came after: the next change after
// `loseTrack` is still seen, and so is the one after that, once the watch is set again.
void ExpectChangesSeenAfter(const std::function<bool(const std::string& folder, const std::string& path)>& loseTrack)
{
    CoarseFileClock clock;
    TempFolder folder;
    IniDocumentCache cache(true);
    const std::string path = folder / "QEX.INI";
    TempFolder::Write(path, "[S]\r\nk=0\r\n");
    EXPECT_EQ(ValueOf(cache, path), "0");
    ASSERT_TRUE(loseTrack(folder.Path(), path)) << "could not make the watch lose track";
    ChangeWithinTheTick(path, "[S]\r\nk=1");
    EXPECT_EQ(ValueOf(cache, path), "1");
    ChangeWithinTheTick(path, "[S]\r\nk=2");
    EXPECT_EQ(ValueOf(cache, path), "2") << "the watch is set again";
}

} // namespace

// The coarse clock stands only where the cache reads its stamps: were these read past its
// interception, the tests on it would pass without a coarse clock at all.
TEST(IniDocumentCache, TheCoarseFileClockReachesTheStampsTheCacheReads)
{
    CoarseFileClock clock;
    TempFolder folder;
    const std::string path = folder / "QEX.INI";
    TempFolder::Write(path, "[S]\r\nk=1\r\n");
    // A modification time set back a day moves the change time to now: the two differ on disk.
    const timespec dayAgo[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 86400, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), dayAgo, 0), 0);
    const struct {
        const char* way;
        bool (*stamp)(const std::string& path, FileStamp& stamp);
    } cases[] = {
        {"by its name", [](const std::string& path, FileStamp& stamp) { return StampOfPath(path, stamp); }},
        {"by an open handle",
         [](const std::string& path, FileStamp& stamp) {
             const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
             const bool read = fd >= 0 && StampOfHandle(fd, stamp);
             if (fd >= 0)
                 ::close(fd);
             return read;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        FileStamp stamp;
        ASSERT_TRUE(c.stamp(path, stamp));
        EXPECT_EQ(stamp.changed, stamp.modified);
    }
}

// Equal stamps prove nothing for a file changed moments ago: a change within the same tick of the
// file clock is seen through the watch, and without one the file is read again.
TEST(IniDocumentCache, AChangeWithinOneTickOfTheFileClockIsSeen)
{
    CoarseFileClock clock;
    const struct {
        const char* way;
        bool watch;
        void (*name)(const std::string& written, const std::string& path);
    } cases[] = {
        {"its only name, watched", true, nullptr},
        {"its only name, by its times alone", false, nullptr},
        {"a second name in another folder", true,
         [](const std::string& written, const std::string& path) { std::filesystem::create_hard_link(written, path); }},
        {"a link to a file in another folder", true,
         [](const std::string& written, const std::string& path) { std::filesystem::create_symlink(written, path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        TempFolder folder, elsewhere;
        IniDocumentCache cache(c.watch);
        const std::string path = folder / "QEX.INI";
        const std::string written = c.name ? elsewhere / "real.ini" : path;
        TempFolder::Write(written, "[S]\r\nk=1\r\n");
        if (c.name)
            c.name(written, path);
        EXPECT_EQ(ValueOf(cache, path), "1");
        ChangeWithinTheTick(written, "[S]\r\nk=2");
        EXPECT_EQ(ValueOf(cache, path), "2");
        ChangeWithinTheTick(written, "[S]\r\nk=3");
        EXPECT_EQ(ValueOf(cache, path), "3") << "a second change";
    }
}

TEST(IniDocumentCache, AChangeAfterTheFolderWasMadeAgainIsSeen)
{
    ExpectChangesSeenAfter([](const std::string& folder, const std::string& path) {
        std::filesystem::remove_all(folder.substr(0, folder.size() - 1));
        std::filesystem::create_directory(folder);
        TempFolder::Write(path, "[S]\r\nk=0\r\n");
        return true;
    });
}

TEST(IniDocumentCache, AChangeAfterTheWatchQueueOverflowedIsSeen)
{
    const long limit = WatchQueueLimit();
    if (limit == 0)
        GTEST_SKIP() << "this machine's watch queue limit is unknown or too large to fill";
    ExpectChangesSeenAfter([limit](const std::string& folder, const std::string&) { return OverflowWatchQueue(folder, limit); });
}
