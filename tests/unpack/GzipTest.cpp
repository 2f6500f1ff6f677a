#include "unpack/Gzip.h"
#include "unpack/UnpackSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

using namespace unpack_test;

namespace {

class GzipTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    CapturedBoxes boxes;
    TGzip gzip {nullptr};
    std::string source = folder / "tiedot.tvz";
    std::string destination = folder / "tiedot.tvx";

    void SetUp() override
    {
        gzip.FileSource = source;
        gzip.FileDestination = destination;
    }
};

TEST_F(GzipTest, DecompressesAndDeletesTheSourceWhenAsked)
{
    std::string data = PatternBytes(100000, 1) + std::string(50000, 'x');
    WriteBytes(source, Gzipped(data));
    gzip.DeleteSource = true;
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(ReadBytes(destination), data);
    EXPECT_FALSE(Exists(source));
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string> {"tiedot.tvx"}); // no temporary left
}

TEST_F(GzipTest, CopiesEmptyAndNonGzipSourcesUnchanged)
{
    WriteBytes(source, Gzipped(""));
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(ReadBytes(destination), "");

    WriteBytes(source, "");
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(ReadBytes(destination), "");

    std::string plain = PatternBytes(40000, 2);
    plain[0] = 'p'; // anything but the gzip magic
    WriteBytes(source, plain);
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(ReadBytes(destination), plain);
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(GzipTest, MissingSourceFailsWithTheOpenBoxOrSilently)
{
    gzip.WindowOnError = false;
    EXPECT_EQ(gzip.Gunzip(), GunzipCantOpen);
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_FALSE(Exists(destination));

    gzip.WindowOnError = true;
    EXPECT_EQ(gzip.Gunzip(), GunzipCantOpen);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Caption, "Virhe");
    EXPECT_EQ(boxes.Boxes[0].Text, "Can't open: " + source);
    EXPECT_EQ(boxes.Boxes[0].Button, "&Keskeyt\xE4"); // Windows-1252 bytes
}

TEST_F(GzipTest, DestinationInAMissingFolderKeepsTheSource)
{
    WriteBytes(source, Gzipped("abc"));
    gzip.DeleteSource = true;
    gzip.FileDestination = folder / "missing/tiedot.tvx";
    EXPECT_EQ(gzip.Gunzip(), GunzipCantCreate);
    EXPECT_TRUE(Exists(source));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text, "Can't create: " + gzip.FileDestination);
}

// With no descriptor left for the new file, the one the package was read from is the last: the
// run gives it back, and takes the older destination away, before its box shows; the package
// stays for another try.
TEST_F(GzipTest, AnUnmadeDestinationLeavesNoOlderOneAtItsBox)
{
    WriteBytes(source, Gzipped("new listings"));
    WriteBytes(destination, "old listings");
    gzip.DeleteSource = true;
    bool olderAtTheBox = true;
    bool descriptorFreeAtTheBox = false;
    GzipErrorBox = [&](const TGzipErrorBox&) {
        olderAtTheBox = Exists(destination);
        const int probe = ::dup(0);
        descriptorFreeAtTheBox = probe >= 0;
        if (probe >= 0)
            ::close(probe);
    };
    const int nextFree = ::dup(0);
    ASSERT_GE(nextFree, 0);
    ::close(nextFree);
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit oneLeft = saved;
    oneLeft.rlim_cur = static_cast<rlim_t>(nextFree) + 1;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &oneLeft), 0);
    const int result = gzip.Gunzip();
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(result, GunzipCantCreate);
    EXPECT_FALSE(olderAtTheBox);
    EXPECT_TRUE(descriptorFreeAtTheBox);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string> {"tiedot.tvz"});
}

TEST_F(GzipTest, RefusesToWriteOverItsOwnSource)
{
    std::string packed = Gzipped("listing data");
    WriteBytes(source, packed);
    gzip.DeleteSource = true;
    gzip.FileDestination = source;
    EXPECT_EQ(gzip.Gunzip(), GunzipCantCreate);
    EXPECT_EQ(ReadBytes(source), packed);

    ASSERT_EQ(::link(source.c_str(), destination.c_str()), 0); // same inode under another name
    EXPECT_EQ(gzip.Gunzip(), GunzipCantCreate);
    gzip.FileDestination = destination;
    EXPECT_EQ(gzip.Gunzip(), GunzipCantCreate);
    EXPECT_EQ(ReadBytes(source), packed);
    EXPECT_EQ(boxes.Boxes.size(), 3u);
}

TEST_F(GzipTest, DamagedDataFailsAndLeavesNoDestination)
{
    std::string data = PatternBytes(200000, 3);
    std::string packed = Gzipped(data);
    std::string truncated = packed.substr(0, packed.size() / 2);
    std::string flipped = packed;
    flipped[flipped.size() / 2] ^= 0x20;
    std::string badCrc = packed;
    badCrc[badCrc.size() - 8] ^= 0x01;
    std::string badLength = packed;
    badLength[badLength.size() - 1] ^= 0x01;
    std::string badCrcEnd = packed;
    badCrcEnd[badCrcEnd.size() - 5] ^= 0x80;
    std::string cutTrailer = packed.substr(0, packed.size() - 3);
    for (const std::string& damaged : {truncated, flipped, badCrc, badCrcEnd, badLength, cutTrailer}) {
        WriteBytes(destination, "an older archive");
        WriteBytes(source, damaged);
        boxes.Boxes.clear();
        EXPECT_EQ(gzip.Gunzip(), GunzipReadError);
        EXPECT_FALSE(Exists(destination));
        ASSERT_EQ(boxes.Boxes.size(), 1u);
        EXPECT_EQ(boxes.Boxes[0].Text.rfind("Corrupt data in: " + source + " (", 0), 0u) << boxes.Boxes[0].Text;
    }
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string> {"tiedot.tvz"});
}

TEST_F(GzipTest, OutputPastTheCapIsRefused)
{
    // 80 members of 1 MiB zeros: past 64 MiB whichever way zlib splits its reads.
    std::string member = Gzipped(std::string(1 << 20, '\0'));
    std::string bomb;
    for (int i = 0; i < 80; ++i)
        bomb += member;
    WriteBytes(source, bomb);
    EXPECT_EQ(gzip.Gunzip(), GunzipTooLarge);
    EXPECT_FALSE(Exists(destination));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text, "Too much data in: " + source + " (more than 64 MiB)");

    std::string exactly;
    for (int i = 0; i < 64; ++i)
        exactly += member;
    WriteBytes(source, exactly);
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(static_cast<std::int64_t>(ReadBytes(destination).size()), GunzipMaxSize);

    // One byte more is refused.
    WriteBytes(source, exactly + Gzipped("x"));
    EXPECT_EQ(gzip.Gunzip(), GunzipTooLarge);
    EXPECT_FALSE(Exists(destination));
}

// The program's box may stay up until the program ends (a logout, say): what the failed run wrote,
// and the source it was told to delete, are gone before the box shows.
TEST_F(GzipTest, AFailureClearsItsFilesBeforeItsBoxShows)
{
    std::string pastTheCap;
    const std::string mebibyte = Gzipped(std::string(1 << 20, '\0'));
    for (int i = 0; i < 65; ++i)
        pastTheCap += mebibyte;
    const std::string packed = Gzipped(PatternBytes(200000, 5));
    const std::string truncated = packed.substr(0, packed.size() / 2);
    std::vector<std::string> atTheBox;
    GzipErrorBox = [&](const TGzipErrorBox&) { atTheBox = NamesIn(folder.Path()); };
    struct Case {
        const std::string* source;
        bool deleteSource;
        int result;
        std::vector<std::string> left;
    };
    const std::vector<std::string> sourceOnly {"tiedot.tvz"};
    for (const Case& run : {Case {&pastTheCap, true, GunzipTooLarge, {}}, Case {&truncated, true, GunzipReadError, {}},
                            Case {&pastTheCap, false, GunzipTooLarge, sourceOnly}}) {
        WriteBytes(source, *run.source);
        gzip.DeleteSource = run.deleteSource;
        atTheBox = {"no box"};
        EXPECT_EQ(gzip.Gunzip(), run.result);
        EXPECT_EQ(atTheBox, run.left);
        EXPECT_EQ(NamesIn(folder.Path()), run.left);
    }
}

TEST_F(GzipTest, FullDiskFailsAndRemovesThePartialFile)
{
    WriteBytes(source, Gzipped(PatternBytes(300000, 4)));
    {
        FileSizeLimit full(100000);
        EXPECT_EQ(gzip.Gunzip(), GunzipWriteError);
    }
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string> {"tiedot.tvz"});
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text.rfind("Can't write: " + destination, 0), 0u) << boxes.Boxes[0].Text;
}

TEST_F(GzipTest, SymlinkAtTheDestinationIsReplacedNotFollowed)
{
    std::string victim = folder / "victim";
    WriteBytes(victim, "keep me");
    ASSERT_EQ(::symlink(victim.c_str(), destination.c_str()), 0);
    WriteBytes(source, Gzipped("new archive"));
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(ReadBytes(victim), "keep me");
    EXPECT_EQ(ReadBytes(destination), "new archive");
}

TEST_F(GzipTest, ProgressCountsTheSourceReadAndEndsAt100)
{
    std::vector<int> reported;
    gzip.OnProgress = [&](TObject* sender) {
        EXPECT_EQ(sender, &gzip);
        reported.push_back(gzip.Progress);
    };
    WriteBytes(source, Gzipped(PatternBytes(400000, 5)));
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_TRUE(reported.empty()); // ProgressStep 0: not even the first report

    gzip.ProgressStep = 10;
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    ASSERT_GE(reported.size(), 3u);
    EXPECT_EQ(reported.front(), 0);
    EXPECT_EQ(reported.back(), 100);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    for (std::size_t i = 1; i + 1 < reported.size(); ++i)
        EXPECT_GE(reported[i] - reported[i - 1], 10);

    reported.clear();
    WriteBytes(source, "");
    EXPECT_EQ(gzip.Gunzip(), GunzipOk);
    EXPECT_EQ(reported, (std::vector<int> {0, 100}));
}

} // namespace
