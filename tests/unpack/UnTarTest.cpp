#include "unpack/UnTar.h"
#include "unpack/UnpackSupport.h"

#include "platform/core/Exceptions.h"
#include <climits>
#include <ctime>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace unpack_test;

namespace {

std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

class UnTarTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::string unpackPath = folder / "Tiedot";
    std::string archive = folder / "tiedot.tvx";
    TUnTar untar {nullptr};

    void SetUp() override
    {
        ::mkdir(unpackPath.c_str(), 0777);
        untar.FileSource = archive;
        untar.UnpackPath = unpackPath;
    }
    void Extract(const std::vector<Member>& members)
    {
        WriteBytes(archive, Tar(members));
        untar.Extract();
    }
    std::string Unpacked(const std::string& name) { return ReadBytes(unpackPath + "/" + name); }
};

TEST_F(UnTarTest, WritesMembersUnderTheFolderWithFixedNames)
{
    std::string before = CurrentFolder();
    Extract({{"dir/sub:x|y.txt", "one"}, {"./name", "two"}, {"a b+c.QEX", "three"}, {"01-07.QEX", PatternBytes(70000, 7)}});
    EXPECT_EQ(Unpacked("dir/sub_x_y.txt"), "one");
    EXPECT_EQ(Unpacked("name"), "two");
    EXPECT_EQ(Unpacked("a_b_c.QEX"), "three");
    EXPECT_EQ(Unpacked("01-07.QEX"), PatternBytes(70000, 7));
    EXPECT_EQ(NamesIn(unpackPath), (std::vector<std::string> {"01-07.QEX", "a_b_c.QEX", "dir", "name"}));
    EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(UnTarTest, MembersWithoutDataMakeFoldersOnlyWhenAsked)
{
    std::vector<Member> members = {{"emptydir/", "", '5'}, {"d2/zero.txt", ""}, {"d3/f.txt", "x"}};
    Extract(members);
    EXPECT_EQ(NamesIn(unpackPath), std::vector<std::string> {"d3"});

    untar.CreateEmptyDir = true;
    Extract(members);
    EXPECT_EQ(NamesIn(unpackPath), (std::vector<std::string> {"d2", "d3", "emptydir"}));
    EXPECT_TRUE(NamesIn(unpackPath + "/d2").empty()); // an empty member makes no file
}

TEST_F(UnTarTest, NonFileMembersArePassedOverWithTheirData)
{
    untar.CreateEmptyDir = true;
    Extract({{"./PaxHeaders/f.txt", "30 path=../../outside.txt\n", 'x'},
             {"./PaxHeaders/global", "20 comment=global\n", 'g'},
             {"././@LongLink", "a-very-long-name.txt", 'L'},
             {"././@LongLink", "link-target", 'K'},
             {"hard", "", '1', 0, "f.txt"},
             {"soft", "", '2', 0, "/etc"},
             {"dev/char", "", '3'},
             {"fifo", std::string(600, 'p'), '6'},
             {"dir/", "file data under a folder name"},
             {"f.txt", "after the others"}});
    EXPECT_EQ(NamesIn(unpackPath), (std::vector<std::string> {"dir", "f.txt"}));
    EXPECT_EQ(Unpacked("f.txt"), "after the others");
    EXPECT_TRUE(NamesIn(unpackPath + "/dir").empty());
}

TEST_F(UnTarTest, OverwriteModesDecideAboutExistingFiles)
{
    std::vector<Member> members = {{"f.txt", "new"}, {"g.txt", "next"}};
    auto reset = [&] {
        WriteBytes(unpackPath + "/f.txt", "old");
        ::unlink((unpackPath + "/g.txt").c_str());
    };
    reset();
    untar.OverwriteMode = omSkip;
    Extract(members);
    EXPECT_EQ(Unpacked("f.txt"), "old");
    EXPECT_EQ(Unpacked("g.txt"), "next"); // the skipped data was passed over

    reset();
    untar.OverwriteMode = omReplace;
    Extract(members);
    EXPECT_EQ(Unpacked("f.txt"), "new");

    reset();
    untar.OverwriteMode = omRename; // no handler: skipped, not asked forever
    Extract(members);
    EXPECT_EQ(Unpacked("f.txt"), "old");
    EXPECT_EQ(Unpacked("g.txt"), "next");

    int asked = 0;
    untar.OnExtractOverwrite = [&](TObject*) {
        ++asked;
        untar.NewFileName = "f.txt"; // changes nothing
    };
    reset();
    Extract(members);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Unpacked("f.txt"), "old");

    untar.OnExtractOverwrite = [&](TObject*) { untar.NewFileName = "renamed.txt"; };
    reset();
    Extract(members);
    EXPECT_EQ(Unpacked("f.txt"), "old");
    EXPECT_EQ(Unpacked("renamed.txt"), "new");

    untar.OnExtractOverwrite = [&](TObject*) { untar.OverwriteAction = omReplace; };
    reset();
    Extract(members);
    EXPECT_EQ(Unpacked("f.txt"), "new");

    untar.OnExtractOverwrite = [&](TObject*) { untar.NewFileName = "../escaped.txt"; };
    reset();
    Extract(members);
    EXPECT_FALSE(Exists(folder / "escaped.txt"));
    EXPECT_EQ(Unpacked("f.txt"), "old");
}

TEST_F(UnTarTest, NextFileHandlerSeesTheMemberAndMayRedirectIt)
{
    std::vector<std::string> seen;
    untar.OnNextFile = [&](TObject* sender) {
        EXPECT_EQ(sender, &untar);
        seen.push_back(untar.NextFile.Name + " " + std::to_string(untar.NextFile.Size) + " "
                       + std::to_string(untar.NextFile.Date.Day) + "." + std::to_string(untar.NextFile.Date.Month));
        if (untar.NextFile.Name == "a.txt") {
            untar.NextFile.Name = "b.txt";
            untar.NextFile.Size = 1; // must not leave the reader inside the member
        }
    };
    Extract({{"a.txt", std::string(3000, 'a')}, {"empty.txt", ""}, {"c.txt", "c"}});
    EXPECT_EQ(seen, (std::vector<std::string> {"a.txt 3000 11.2", "c.txt 1 11.2"}));
    EXPECT_EQ(Unpacked("b.txt"), std::string(3000, 'a'));
    EXPECT_EQ(Unpacked("c.txt"), "c");
}

TEST_F(UnTarTest, FileTimesAreTheArchiveReadingAsLocalTimeToTwoSeconds)
{
    ::setenv("TZ", "Europe/Helsinki", 1);
    ::tzset();
    Extract({{"dated.txt", "x", '0', 1770804003}, {"old.txt", "y", '0', 86400}});
    struct stat info;
    ASSERT_EQ(::stat((unpackPath + "/dated.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1770804003 - 1 - 2 * 3600); // 10:00:03 UTC read as 10:00:02 in Helsinki
    ASSERT_EQ(::stat((unpackPath + "/old.txt").c_str(), &info), 0);
    EXPECT_LT(std::labs(info.st_mtime - std::time(nullptr)), 3600); // 1970 is out of range
}

TEST_F(UnTarTest, ProgressGoesInStepsToAHundred)
{
    std::vector<int> reported;
    untar.OnProgress = [&](TObject*) { reported.push_back(untar.Progress); };
    std::vector<Member> members;
    for (int i = 0; i < 20; ++i)
        members.push_back({"f" + std::to_string(i), std::string(5000, 'f')});
    Extract(members);
    EXPECT_TRUE(reported.empty());

    untar.ProgressStep = 25;
    Extract(members);
    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    for (int percent : reported)
        EXPECT_EQ(percent % 25, 0);
    EXPECT_EQ(reported.back(), 100);
}

TEST_F(UnTarTest, RelativeSourceAndMissingFolders)
{
    untar.UnpackPath = folder / "new/deeper";
    ::mkdir((folder / "new").c_str(), 0777);
    ::mkdir((folder / "new/deeper").c_str(), 0777);
    WriteBytes(folder / "new/deeper/pkg.tar", Tar({{"x.txt", "x"}}));
    untar.FileSource = "pkg.tar";
    untar.Extract();
    EXPECT_EQ(ReadBytes(folder / "new/deeper/x.txt"), "x");

    untar.UnpackPath = folder / "made/for/us";
    untar.FileSource = archive;
    Extract({{"y.txt", "y"}});
    EXPECT_EQ(ReadBytes(folder / "made/for/us/y.txt"), "y");

    std::string before = CurrentFolder();
    ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
    untar.UnpackPath = "";
    Extract({{"here.txt", "h"}});
    ASSERT_EQ(::chdir(before.c_str()), 0);
    EXPECT_EQ(ReadBytes(folder / "here.txt"), "h");

    untar.FileSource = folder / "missing.tar";
    EXPECT_THROW(untar.Extract(), EFOpenError);
}

TEST_F(UnTarTest, TruncatedMemberIsDiscardedAndTheOldFileKept)
{
    WriteBytes(unpackPath + "/cut.txt", "old listing");
    std::string whole = Tar({{"done.txt", "complete"}, {"cut.txt", std::string(5000, 'c')}}, false);
    WriteBytes(archive, whole.substr(0, 1024 + 512 + 2000));
    untar.OverwriteMode = omReplace;
    try {
        untar.Extract();
        FAIL() << "a truncated archive must raise";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Unexpected end of archive " + archive + " inside cut.txt");
    }
    EXPECT_EQ(Unpacked("done.txt"), "complete");
    EXPECT_EQ(Unpacked("cut.txt"), "old listing");
    EXPECT_EQ(NamesIn(unpackPath), (std::vector<std::string> {"cut.txt", "done.txt"}));
}

TEST_F(UnTarTest, FullDiskIsAnErrorAndTheOldFileKept)
{
    WriteBytes(unpackPath + "/big.txt", "old listing");
    WriteBytes(archive, Tar({{"big.txt", PatternBytes(200000, 9)}}));
    untar.OverwriteMode = omReplace;
    {
        FileSizeLimit full(50000);
        EXPECT_THROW(untar.Extract(), EWriteError);
    }
    EXPECT_EQ(Unpacked("big.txt"), "old listing");
    EXPECT_EQ(NamesIn(unpackPath), std::vector<std::string> {"big.txt"});
}

} // namespace
