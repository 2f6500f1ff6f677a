// The listing package into the data folder without a window: a whole package becomes listing
// files; anything damaged, cut or hostile leaves the data folder exactly as it was and takes its
// temporary files with it.
#include "app/ListingPackage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "unpack/UnpackSupport.h"
#include "unpack/UnTar.h"
#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace unpack_test;

class ListingPackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeFolder(root.Path());
        ASSERT_TRUE(ForceDirectories(data()));
        WriteBytes(data() + "01-07.QEX", "old week 7");
        WriteBytes(data() + "versio2.tmp", "month");
        gzip.DeleteSource = true;
        untar.OverwriteMode = omReplace;
        untar.CreateEmptyDir = true;
    }
    void TearDown() override { SetExeFolder(""); }

    std::string data() const { return root.Path() + "/Tiedot/"; }
    void Receive(const std::string& bytes) { WriteBytes(PackagePath(), bytes); }

    // A failure leaves exactly what was there before the package came.
    void ExpectDataFolderAsBefore(const std::map<std::string, std::string>& before)
    {
        EXPECT_EQ(Snapshot(data()), before);
    }

    ScratchFolder root;
    TGzip gzip {nullptr};
    TUnTar untar {nullptr};
    CapturedBoxes boxes;
};

TEST_F(ListingPackageTest, WholePackageBecomesListingFilesAndTheTemporaryFilesGo)
{
    Receive(Gzipped(Tar({{"01-07.QEX", "new week 7"}, {"01-08.qex", "week 8"}, {"sub/10-07.QEX", "deep"}})));
    WriteBytes(data() + "01-08.QEX", "old week 8");
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    EXPECT_EQ(ReadBytes(data() + "01-07.QEX"), "new week 7");
    // A name in another letter case replaces the stored file rather than standing beside it.
    EXPECT_EQ(ReadBytes(data() + "01-08.QEX"), "week 8");
    // The program reads nothing in subfolders, so nothing of them is kept.
    EXPECT_EQ(NamesIn(data()), (std::vector<std::string>{"01-07.QEX", "01-08.QEX", "versio2.tmp"}));
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(ListingPackageTest, EmptyArchiveIsAPackageWithNothingInIt)
{
    const auto before = Snapshot(data());
    Receive(Gzipped(Tar({})));
    EXPECT_TRUE(UnpackListingPackage(gzip, untar));
    ExpectDataFolderAsBefore(before);
}

TEST_F(ListingPackageTest, TruncatedGzipIsShownByTheDecompressorAndChangesNothing)
{
    const auto before = Snapshot(data());
    const std::string package = Gzipped(Tar({{"01-07.QEX", PatternBytes(20000, 1)}}));
    Receive(package.substr(0, package.size() / 2));
    EXPECT_FALSE(UnpackListingPackage(gzip, untar));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Button, "&Keskeytä"_a);
    ExpectDataFolderAsBefore(before);
}

TEST_F(ListingPackageTest, RepliesThatAreNoArchiveRaiseAndChangeNothing)
{
    const auto before = Snapshot(data());
    for (const std::string& reply : {std::string(), std::string("<garbage>\r\n") + PatternBytes(3000, 7),
                                     std::string("<HTML><BODY>Not found</BODY></HTML>\r\n")}) {
        Receive(reply);
        try {
            UnpackListingPackage(gzip, untar);
            ADD_FAILURE() << reply.size();
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message, "The server's reply is not a listing package");
        }
        ExpectDataFolderAsBefore(before);
    }
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(ListingPackageTest, TheHeaderChecksumIsReadToTheLastOfItsEightBytes)
{
    // The checksum written with all eight bytes of its field as digits.
    std::string archive = Tar({{"01-07.QEX", "new week 7"}});
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i)
        sum += i >= 148 && i < 156 ? ' ' : static_cast<unsigned char>(archive[static_cast<std::size_t>(i)]);
    char field[16];
    std::snprintf(field, sizeof field, "%08o", sum);
    archive.replace(148, 8, field, 8);
    Receive(Gzipped(archive));
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    EXPECT_EQ(ReadBytes(data() + "01-07.QEX"), "new week 7");

    // Wrong in its last digit only, the header is no archive's.
    WriteBytes(data() + "01-07.QEX", "old week 7");
    const auto before = Snapshot(data());
    archive[155] = archive[155] == '7' ? '6' : static_cast<char>(archive[155] + 1);
    Receive(Gzipped(archive));
    EXPECT_THROW(UnpackListingPackage(gzip, untar), EReadError);
    ExpectDataFolderAsBefore(before);
}

TEST_F(ListingPackageTest, DamagedArchiveKeepsEvenItsCompleteMembersOut)
{
    const auto before = Snapshot(data());
    std::string archive = Tar({{"01-07.QEX", "complete"}, {"01-08.QEX", PatternBytes(5000, 2)}});
    Receive(Gzipped(archive.substr(0, 512 + 512 + 512 + 1000)));
    EXPECT_THROW(UnpackListingPackage(gzip, untar), EReadError);
    ExpectDataFolderAsBefore(before);
}

TEST_F(ListingPackageTest, HostileArchiveReachesNothingInsideOrOutside)
{
    const auto before = Snapshot(data());
    const auto outside = Snapshot(root.Path(), "Tiedot");
    Receive(Gzipped(Tar({{"../evil", "escaped by ..\r\n"},
                         {"/tmp/abs", "absolute path\r\n"},
                         {"link", "", '2', 1770804003, "/tmp"},
                         {"link/evil", "through a link\r\n"},
                         {"huge", "not nearly 8 GiB", '0', 1770804003, "", "77777777777"}},
                        false)));
    EXPECT_THROW(UnpackListingPackage(gzip, untar), EReadError);
    ExpectDataFolderAsBefore(before);
    EXPECT_EQ(Snapshot(root.Path(), "Tiedot"), outside);
}

TEST_F(ListingPackageTest, LinkOrFileAtTheStagingFolderIsRemovedAsItself)
{
    // A link in the staging folder's place, to a folder with a file the user keeps.
    ASSERT_TRUE(ForceDirectories(root.Path() + "/kept"));
    WriteBytes(root.Path() + "/kept/sentinel", "keep me");
    ASSERT_EQ(Shell("ln -s '" + root.Path() + "/kept' '" + data() + "tiedot.tmp'"), 0);
    Receive(Gzipped(Tar({{"01-08.QEX", "week 8"}})));
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    EXPECT_EQ(ReadBytes(root.Path() + "/kept/sentinel"), "keep me");
    EXPECT_EQ(NamesIn(root.Path() + "/kept"), std::vector<std::string>{"sentinel"});
    EXPECT_EQ(ReadBytes(data() + "01-08.QEX"), "week 8");
    EXPECT_FALSE(Exists(data() + "tiedot.tmp"));

    // Left by a failed run: the clean-up removes the link and the file alone.
    ASSERT_EQ(Shell("ln -s '" + root.Path() + "/kept' '" + data() + "tiedot.tmp'"), 0);
    RemovePackageFiles();
    EXPECT_EQ(ReadBytes(root.Path() + "/kept/sentinel"), "keep me");
    EXPECT_FALSE(Exists(data() + "tiedot.tmp"));
    WriteBytes(data() + "tiedot.tmp", "a file in the folder's place");
    Receive(Gzipped(Tar({{"01-09.QEX", "week 9"}})));
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    EXPECT_EQ(ReadBytes(data() + "01-09.QEX"), "week 9");
}

TEST_F(ListingPackageTest, FailedMoveLeavesTheDataFolderAsItWas)
{
    WriteBytes(data() + "01-08.QEX", "old week 8");
    const auto before = Snapshot(data());
    // A member named like the staging folder can't take its place, whatever came before it.
    Receive(Gzipped(Tar({{"01-07.QEX", "new week 7"}, {"01-09.QEX", "week 9"}, {"tiedot.tmp", "x"}})));
    EXPECT_THROW(UnpackListingPackage(gzip, untar), EInOutError);
    ExpectDataFolderAsBefore(before);

    // A full disk half-way: the files moved before are put back, the replaced ones restored.
    SetFileFault([this](const AnsiString& path, bool writing) {
        return writing && path == data() + "01-10.QEX" ? ENOSPC : 0;
    });
    Receive(Gzipped(Tar({{"01-07.QEX", "new week 7"}, {"01-09.QEX", "week 9"}, {"01-08.qex", "new week 8"},
                         {"01-10.QEX", "week 10"}, {"01-11.QEX", "week 11"}})));
    try {
        UnpackListingPackage(gzip, untar);
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message, "Cannot move file 01-10.QEX to " + data() + " (No space left on device)");
    }
    SetFileFault(nullptr);
    ExpectDataFolderAsBefore(before);
}

TEST_F(ListingPackageTest, OfMembersEqualButForLetterCaseTheLaterWins)
{
    Receive(Gzipped(Tar({{"01-07.qex", "first"}, {"01-07.QEX", "second"}, {"01-08.QEX", "first"},
                         {"01-08.qex", "second"}, {"01-08.Qex", "third"}})));
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    EXPECT_EQ(ReadBytes(data() + "01-07.QEX"), "second");
    EXPECT_EQ(ReadBytes(data() + "01-08.Qex"), "third");
    EXPECT_EQ(NamesIn(data()), (std::vector<std::string>{"01-07.QEX", "01-08.Qex", "versio2.tmp"}));
}

TEST_F(ListingPackageTest, ThirtyThousandMembersAllArrive)
{
    std::vector<Member> members;
    for (int i = 0; i < 30000; ++i)
        members.push_back({"m" + std::to_string(i) + ".QEX", std::to_string(i)});
    // Every other one replaces a stored file spelled in other letters.
    for (int i = 0; i < 30000; i += 2)
        WriteBytes(data() + "M" + std::to_string(i) + ".qex", "old");
    Receive(Gzipped(Tar(members)));
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    const std::vector<std::string> names = NamesIn(data());
    EXPECT_EQ(names.size(), 30000u + 2u);
    EXPECT_EQ(ReadBytes(data() + "M0.qex"), "0");
    EXPECT_EQ(ReadBytes(data() + "m29999.QEX"), "29999");
    EXPECT_EQ(ReadBytes(data() + "M29998.qex"), "29998");
}

TEST_F(ListingPackageTest, LeftoversOfAnEarlierRunAreClearedBeforeUnpacking)
{
    ASSERT_TRUE(ForceDirectories(StagingFolder() + "sub"));
    WriteBytes(StagingFolder() + "99-99.QEX", "left by a crash");
    Receive(Gzipped(Tar({{"01-08.QEX", "week 8"}})));
    ASSERT_TRUE(UnpackListingPackage(gzip, untar));
    EXPECT_EQ(NamesIn(data()), (std::vector<std::string>{"01-07.QEX", "01-08.QEX", "versio2.tmp"}));
}


// What a program that ended during a download left: its own names go at the next start; a name
// merely like them, a link under one of them (and what it points at) and a folder stay.
TEST_F(ListingPackageTest, StartUpClearsTheDownloadsOwnLeftoversOnly)
{
    const std::string outside = root.Path() + "/outside";
    WriteBytes(outside, "not the program's");
    ASSERT_TRUE(ForceDirectories(StagingFolder() + "sub"));
    WriteBytes(StagingFolder() + "sub/01-09.QEX", "half unpacked");
    ASSERT_TRUE(ForceDirectories(data() + ".qex-0123456789.tmp"));
    struct Leftover {
        const char* name;
        bool link;
        bool cleared;
    };
    std::vector<std::string> kept {".qex-0123456789.tmp", "01-07.QEX", "versio2.tmp"};
    for (const Leftover& file : {Leftover {"tiedot.tvz", false, true}, Leftover {"tiedot.tvx", false, true},
                                 Leftover {".qex-a1b2c3d4e5.tmp", false, true}, Leftover {".qex-zz00zz00zz.tmp", true, false},
                                 Leftover {".qex-A1B2C3D4E5.tmp", false, false}, Leftover {".qex-a1b2c3d4e.tmp", false, false},
                                 Leftover {".qex-a1b2c3d4e5.tmpx", false, false}, Leftover {"qex-a1b2c3d4e5.tmp", false, false}}) {
        if (file.link)
            ASSERT_EQ(::symlink(outside.c_str(), (data() + file.name).c_str()), 0);
        else
            WriteBytes(data() + file.name, "left");
        if (!file.cleared)
            kept.push_back(file.name);
    }
    std::sort(kept.begin(), kept.end());
    ClearPackageLeftovers();
    EXPECT_EQ(NamesIn(data()), kept);
    EXPECT_EQ(ReadBytes(outside), "not the program's");
}

} // namespace
