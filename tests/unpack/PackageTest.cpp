// The download road as the program takes it: Gunzip the received package, then Extract it into
// the data folder, whatever the server sent.
#include "unpack/Gzip.h"
#include "unpack/UnTar.h"
#include "unpack/UnpackSupport.h"

#include "platform/core/Exceptions.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace unpack_test;

namespace {

struct Outcome {
    int gunzip = -1;
    std::string raised; // the message of what Extract raised
    std::vector<TGzipErrorBox> boxes;
};

class PackageTest : public ::testing::Test {
protected:
    ScratchFolder sandbox;
    std::string data = sandbox / "Tiedot";
    std::string package = data + "/tiedot.tvz";
    std::string archive = data + "/tiedot.tvx";

    void SetUp() override { ::mkdir(data.c_str(), 0777); }

    Outcome Download()
    {
        Outcome outcome;
        CapturedBoxes boxes;
        TGzip gzip(nullptr);
        gzip.DeleteSource = true;
        gzip.FileSource = package;
        gzip.FileDestination = archive;
        TUnTar untar(nullptr);
        untar.OverwriteMode = omReplace;
        untar.CreateEmptyDir = true;
        untar.FileSource = archive;
        untar.UnpackPath = data + "/";
        outcome.gunzip = gzip.Gunzip();
        try {
            untar.Extract();
        } catch (const Exception& e) {
            outcome.raised = e.Message;
        }
        outcome.boxes = boxes.Boxes;
        return outcome;
    }
};

class RealToolsTest : public PackageTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RealToolsTest, GnuTarAndGzipPackagesComeOutByteIdentical)
{
    ::setenv("TZ", "Europe/Helsinki", 1);
    ::tzset();
    std::string source = sandbox / "source";
    std::filesystem::create_directories(source + "/sub");
    std::map<std::string, std::string> files = {{"a512.txt", std::string(512, 'a')},
        {"b513.txt", std::string(513, 'b')}, {"01-07.QEX", PatternBytes(30000, 11)},
        {"name.txt", "dot-slash member"}, {"sub/c.QEX", PatternBytes(1000, 12)}};
    for (const auto& [name, bytes] : files)
        WriteBytes(source + "/" + name, bytes);
    std::string tar = sandbox / "pkg.tar";
    ASSERT_EQ(Shell("cd " + source + " && touch -d @1770804003 ./name.txt 01-07.QEX a512.txt b513.txt sub sub/c.QEX"
                    + " && tar --format=" + GetParam() + " -cf " + tar + " ./name.txt 01-07.QEX a512.txt b513.txt sub"
                    + " && gzip -9 -c " + tar + " > " + package),
              0);

    Outcome outcome = Download();
    EXPECT_EQ(outcome.gunzip, GunzipOk);
    EXPECT_EQ(outcome.raised, "");
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_FALSE(Exists(package));
    EXPECT_EQ(ReadBytes(archive), ReadBytes(tar));
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(ReadBytes(data + "/" + name), bytes) << name;
        struct stat info;
        ::stat((data + "/" + name).c_str(), &info);
        EXPECT_EQ(info.st_mtime, 1770804003 - 1 - 2 * 3600) << name;
    }
    EXPECT_EQ(NamesIn(data), (std::vector<std::string> {"01-07.QEX", "a512.txt", "b513.txt", "name.txt", "sub", "tiedot.tvx"}));
    EXPECT_EQ(NamesIn(data + "/sub"), std::vector<std::string> {"c.QEX"});
}

INSTANTIATE_TEST_SUITE_P(Formats, RealToolsTest, ::testing::Values("gnu", "ustar", "posix"));

TEST_F(PackageTest, HostileArchiveChangesNothingOutsideTheDataFolder)
{
    std::string outside = sandbox / "outside";
    ::mkdir(outside.c_str(), 0777);
    WriteBytes(outside + "/secret.txt", "secret");
    WriteBytes(sandbox / "victim.txt", "victim");
    ASSERT_EQ(::symlink(outside.c_str(), (data + "/outlink").c_str()), 0);
    ASSERT_EQ(::symlink((sandbox / "victim.txt").c_str(), (data + "/01-07.QEX").c_str()), 0);
    std::string absolute = "/tmp/qex-abs-" + std::to_string(::getpid());
    ::unlink(absolute.c_str());
    WriteBytes(package, Gzipped(Tar({{"../evil", "1"}, {"a/../../evil", "2"}, {"..\\evil", "3"},
        {"dir/../../evil", "4"}, {absolute, "absolute"}, {"dir/sub:x|y.txt", "legitimate"},
        {"outlink/escape.txt", "5"}, {"outlink/deeper/escape.txt", "6"}, {"01-07.QEX", "new listing"},
        {"./PaxHeaders/evil", "30 path=../../paxevil.txt\n", 'x'}, {"hard", "", '1', 0, "../victim.txt"},
        {"evillink", "", '2', 0, outside}, {"evillink/secret.txt", "7"}, {"dev", "", '3'}})));
    auto before = Snapshot(sandbox.Path(), "Tiedot");

    Outcome outcome = Download();

    EXPECT_EQ(outcome.gunzip, GunzipOk);
    EXPECT_EQ(outcome.raised, "");
    EXPECT_EQ(Snapshot(sandbox.Path(), "Tiedot"), before);
    EXPECT_FALSE(Exists(absolute));
    EXPECT_EQ(ReadBytes(data + "/dir/sub_x_y.txt"), "legitimate");
    EXPECT_EQ(ReadBytes(data + absolute), "absolute");
    EXPECT_EQ(ReadBytes(data + "/01-07.QEX"), "new listing"); // the symlink replaced, not followed
    EXPECT_EQ(ReadBytes(sandbox / "victim.txt"), "victim");
    EXPECT_FALSE(std::filesystem::is_symlink(data + "/evillink"));
    EXPECT_EQ(NamesIn(data), (std::vector<std::string> {"01-07.QEX", "dir", "evillink", "outlink", "tiedot.tvx", "tmp"}));
}

TEST_F(PackageTest, AFolderBesideWhoseNameBeginsLikeTheDataFoldersIsOutsideIt)
{
    std::string sibling = sandbox / "Tiedot2";
    ::mkdir(sibling.c_str(), 0777);
    ASSERT_EQ(::symlink(sibling.c_str(), (data + "/beside").c_str()), 0);
    ASSERT_EQ(::symlink("../Tiedot2", (data + "/relative").c_str()), 0);
    WriteBytes(package, Gzipped(Tar({{"beside/escape.txt", "1"}, {"relative/deeper/escape.txt", "2"},
                                     {"inside.txt", "3"}})));

    Outcome outcome = Download();

    EXPECT_EQ(outcome.raised, "");
    EXPECT_TRUE(NamesIn(sibling).empty());
    EXPECT_EQ(ReadBytes(data + "/inside.txt"), "3");
}

TEST_F(PackageTest, DamagedPackagesFailClearlyAndKeepTheOldListing)
{
    std::string good = Tar({{"02-07.QEX", PatternBytes(20000, 21)}, {"01-07.QEX", PatternBytes(40000, 22)}});
    std::string packed = Gzipped(good);
    std::string flipped = packed;
    flipped[packed.size() / 2] ^= 0x10;
    std::string badCrc = packed;
    badCrc[packed.size() - 6] ^= 0x40;
    struct Case {
        std::string name, bytes;
        bool gunzipFails;
    };
    std::vector<Case> cases = {
        {"cut in half", packed.substr(0, packed.size() / 2), true},
        {"flipped byte", flipped, true},
        {"wrong CRC", badCrc, true},
        {"tar cut inside a member", Gzipped(good.substr(0, 512 + 20000 + 480 + 512 + 9000)), false},
        {"size 77777777777", Gzipped(Tar({{"01-07.QEX", "short", '0', 1770804003, "", "77777777777"}})), false},
    };
    for (const Case& damaged : cases) {
        SCOPED_TRACE(damaged.name);
        WriteBytes(data + "/01-07.QEX", "old listing");
        WriteBytes(package, damaged.bytes);
        Outcome outcome;
        MustFinishWithin(2, [&] { outcome = Download(); });
        if (damaged.gunzipFails) {
            EXPECT_EQ(outcome.gunzip, GunzipReadError);
            ASSERT_EQ(outcome.boxes.size(), 1u);
            EXPECT_EQ(outcome.boxes[0].Text.rfind("Corrupt data in: " + package, 0), 0u) << outcome.boxes[0].Text;
            EXPECT_EQ(outcome.raised, "Cannot open file " + archive);
        } else {
            EXPECT_EQ(outcome.gunzip, GunzipOk);
            EXPECT_EQ(outcome.raised.rfind("Unexpected end of archive " + archive, 0), 0u) << outcome.raised;
        }
        EXPECT_EQ(ReadBytes(data + "/01-07.QEX"), "old listing");
        for (const std::string& name : NamesIn(data))
            EXPECT_NE(name[0], '.') << "temporary file left: " << name;
    }
    EXPECT_EQ(ReadBytes(data + "/02-07.QEX"), PatternBytes(20000, 21)); // completed before the cut
}

TEST_F(PackageTest, GzipBombStopsAtTheCap)
{
    WriteBytes(package, ZeroBomb(1024));
    Outcome outcome;
    MustFinishWithin(30, [&] { outcome = Download(); });
    EXPECT_EQ(outcome.gunzip, GunzipTooLarge);
    ASSERT_EQ(outcome.boxes.size(), 1u);
    EXPECT_EQ(outcome.boxes[0].Text, "Too much data in: " + package + " (more than 64 MiB)");
    EXPECT_TRUE(NamesIn(data).empty());
}

TEST_F(PackageTest, PlainTarServedAsPackageUnpacks)
{
    WriteBytes(package, Tar({{"01-07.QEX", "plain"}, {"sub/02-07.QEX", "tar"}}));
    Outcome outcome = Download();
    EXPECT_EQ(outcome.gunzip, GunzipOk);
    EXPECT_EQ(outcome.raised, "");
    EXPECT_EQ(ReadBytes(data + "/01-07.QEX"), "plain");
    EXPECT_EQ(ReadBytes(data + "/sub/02-07.QEX"), "tar");
}

TEST_F(PackageTest, EmptyPackageGivesNoFilesAndNoError)
{
    WriteBytes(package, "");
    Outcome outcome = Download();
    EXPECT_EQ(outcome.gunzip, GunzipOk);
    EXPECT_EQ(outcome.raised, "");
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(NamesIn(data), std::vector<std::string> {"tiedot.tvx"});
    EXPECT_EQ(ReadBytes(archive), "");
}

} // namespace
