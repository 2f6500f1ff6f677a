// Files and folders: atomic replacement, case-blind look-ups, masks and path pieces.
#include "TempFolder.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/WriteLeftovers.h"
#include <cmath>
#include <filesystem>
#include <vector>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary)
{
    TempFolder folder;
    const std::string path = folder / "QEX.ALS";
    TempFolder::Write(path, "old contents that are longer");
    ::chmod(path.c_str(), 0640);
    AtomicWriteFile(path, "new");
    EXPECT_EQ(TempFolder::Read(path), "new");
    EXPECT_EQ(folder.EntryCount(), 1u);
    // A replaced file keeps its permissions.
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicWrite, ReplacesASymlinkInsteadOfFollowingIt)
{
    TempFolder folder;
    TempFolder::Write(folder / "elsewhere", "keep me");
    fs::create_symlink(folder / "elsewhere", folder / "QEX.INI");
    AtomicWriteFile(folder / "QEX.INI", "[Muut]\r\n");
    EXPECT_EQ(TempFolder::Read(folder / "elsewhere"), "keep me");
    EXPECT_FALSE(fs::is_symlink(folder / "QEX.INI"));
    EXPECT_EQ(TempFolder::Read(folder / "QEX.INI"), "[Muut]\r\n");
}

TEST(AtomicWrite, FailureRaisesAndLeavesNothing)
{
    TempFolder folder;
    const std::string path = folder / "missing/QEX.INI";
    try {
        AtomicWriteFile(path, "x");
        ADD_FAILURE();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, "Cannot create file " + path);
    }
    // A folder in the way of the target: the rename fails, the temporary goes.
    fs::create_directory(folder / "taken");
    TempFolder::Write(folder / "taken/inside", "x");
    EXPECT_THROW(AtomicWriteFile(folder / "taken", "x"), EFCreateError);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

// A write killed between creating its temporary and renaming it leaves the temporary behind.
TEST(AtomicWrite, LeftoversOfAKilledWriteGoAndNothingElse)
{
    TempFolder folder;
    TempFolder::Write(folder / "elsewhere", "keep me");
    TempFolder::Write(folder / "QEX.ALS", "alarms");
    TempFolder::Write(folder / ".QEX.ALS.a1B2c3", "half");
    TempFolder::Write(folder / ".QEX.ALS.zzzzzz", "half");
    TempFolder::Write(folder / ".QEX.ALS.09AZaz", "half");
    // The bytes just beside 0-9, A-Z and a-z are no part of a leftover's name.
    const std::vector<const char*> kept = {".QEX.ALS.a1B2c", ".QEX.ALS.a1B2c34", ".QEX.ALS.a1-2c3", ".QEX.INI.a1B2c3",
                                           "QEX.ALS.bak", ".qex.als.a1B2c3", "x.QEX.ALS.a1B2c3", ".QEX.ALS.a1B2c:",
                                           ".QEX.ALS.a1B2c@", ".QEX.ALS.a1B2c[", ".QEX.ALS.a1B2c`", ".QEX.ALS.a1B2c{"};
    for (const char* name : kept)
        TempFolder::Write(folder / name, "not ours");
    fs::create_symlink(folder / "elsewhere", folder / ".QEX.ALS.Link00");
    fs::create_directory(folder / ".QEX.ALS.Dir000");
    RemoveWriteLeftovers(folder / "QEX.ALS");
    EXPECT_FALSE(fs::exists(folder / ".QEX.ALS.a1B2c3"));
    EXPECT_FALSE(fs::exists(folder / ".QEX.ALS.zzzzzz"));
    EXPECT_FALSE(fs::exists(folder / ".QEX.ALS.09AZaz"));
    EXPECT_EQ(TempFolder::Read(folder / "QEX.ALS"), "alarms");
    for (const char* name : kept)
        EXPECT_EQ(TempFolder::Read(folder / name), "not ours") << name;
    EXPECT_TRUE(fs::is_symlink(folder / ".QEX.ALS.Link00"));
    EXPECT_EQ(TempFolder::Read(folder / "elsewhere"), "keep me");
    EXPECT_TRUE(fs::is_directory(folder / ".QEX.ALS.Dir000"));
}

TEST(ReadWholeFile, ReadsBytesOrRaises)
{
    TempFolder folder;
    TempFolder::Write(folder / "bytes", std::string("a\0\xFF", 3));
    EXPECT_EQ(ReadWholeFile(folder / "bytes"), std::string("a\0\xFF", 3));
    EXPECT_THROW(ReadWholeFile(folder / "none"), EFOpenError);
}

TEST(FindFiles, MatchesMaskIgnoringCaseAndSorts)
{
    TempFolder folder;
    for (const char* name : {"b.QEX", "01-07.qex", "A.Qex", "notes.txt", "x.QEX.bak"})
        TempFolder::Write(folder / name, "");
    fs::create_directory(folder / "dir.QEX");
    EXPECT_EQ(FindFiles(folder.Path(), "*.QEX"), (std::vector<AnsiString> {"01-07.qex", "A.Qex", "b.QEX"}));
    EXPECT_EQ(FindFiles(folder.Path(), "*.*").size(), 5u);
    EXPECT_EQ(FindFiles(folder.Path() + "nowhere", "*.*").size(), 0u);
}

TEST(MatchesMask, WildcardsIgnoringAsciiCase)
{
    EXPECT_TRUE(MatchesMask("01-07.QEX", "?" "?-??.qex"));
    EXPECT_FALSE(MatchesMask("1-07.QEX", "?" "?-??.qex"));
    EXPECT_TRUE(MatchesMask("abc", "a*c"));
    EXPECT_TRUE(MatchesMask("ac", "a*c"));
    EXPECT_FALSE(MatchesMask("abcd", "a*c"));
    EXPECT_TRUE(MatchesMask("README", "*.*"));
    EXPECT_FALSE(MatchesMask("ä"_a, "Ä"_a));
    EXPECT_FALSE(MatchesMask(std::string(5000, 'a'), std::string(50, '*') + "b"));
}

TEST(ResolveIgnoringCase, PrefersTheExactName)
{
    TempFolder folder;
    TempFolder::Write(folder / "01-07.qex", "lower");
    EXPECT_EQ(ResolveIgnoringCase(folder.Path(), "01-07.QEX"), folder / "01-07.qex");
    TempFolder::Write(folder / "01-07.QEX", "upper");
    EXPECT_EQ(ResolveIgnoringCase(folder.Path(), "01-07.QEX"), folder / "01-07.QEX");
    EXPECT_EQ(ResolveIgnoringCase(folder.Path(), "02-07.QEX"), folder / "02-07.QEX");
}

TEST(Folders, ForceDirectoriesAndFriends)
{
    TempFolder folder;
    EXPECT_TRUE(ForceDirectories(folder / "Tiedot/a/b/"));
    EXPECT_TRUE(DirectoryExists(folder / "Tiedot/a/b"));
    EXPECT_FALSE(FileExists(folder / "Tiedot/a/b"));
    EXPECT_TRUE(ForceDirectories(folder / "Tiedot"));
    EXPECT_FALSE(ForceDirectories(""));
    TempFolder::Write(folder / "file", "12345");
    EXPECT_FALSE(ForceDirectories(folder / "file/sub"));
    EXPECT_EQ(FileSize(folder / "file"), 5);
    EXPECT_EQ(FileSize(folder / "none"), -1);
    // Renaming never replaces an existing file.
    TempFolder::Write(folder / "other", "x");
    EXPECT_FALSE(RenameFile(folder / "file", folder / "other"));
    EXPECT_TRUE(RenameFile(folder / "file", folder / "moved"));
    EXPECT_TRUE(DeleteFile(folder / "moved"));
    EXPECT_FALSE(DeleteFile(folder / "moved"));
}

TEST(Folders, RemoveDirTakesOnlyAnEmptyFolder)
{
    TempFolder folder;
    ASSERT_TRUE(CreateDir(folder / "Tiedot"));
    TempFolder::Write(folder / "Tiedot/file", "x");
    EXPECT_FALSE(RemoveDir(folder / "Tiedot")) << "a folder with a file stays";
    EXPECT_TRUE(FileExists(folder / "Tiedot/file"));
    ASSERT_TRUE(DeleteFile(folder / "Tiedot/file"));
    EXPECT_TRUE(RemoveDir(folder / "Tiedot"));
    EXPECT_FALSE(DirectoryExists(folder / "Tiedot"));
    EXPECT_FALSE(RemoveDir(folder / "Tiedot"));
    EXPECT_FALSE(RemoveDir(""));
}

TEST(Folders, AFilesTimeIsSetAndReadAsLocalTime)
{
    TempFolder folder;
    TempFolder::Write(folder / "file", "x");
    const double when = EncodeDate(2026, 3, 15) + EncodeTime(12, 34, 56, 0);
    ASSERT_TRUE(FileSetDateTime(folder / "file", when));
    EXPECT_NEAR(FileAgeDateTime(folder / "file"), when, 0.5 / 86400);
    struct stat info {};
    ASSERT_EQ(::stat((folder / "file").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1773570896) << "12:34:56 in Helsinki is 10:34:56 UTC";
    EXPECT_FALSE(FileSetDateTime(folder / "none", when));
    EXPECT_FALSE(FileSetDateTime(folder / "file", std::nan("")));
    EXPECT_EQ(FileAgeDateTime(folder / "none"), -1);
}

TEST(Folders, NonAsciiNamesAreUtf8OnDisk)
{
    TempFolder folder;
    AtomicWriteFile(folder.Path() + "Hälytys.wav"_a, "x");
    EXPECT_TRUE(fs::exists(folder / "Hälytys.wav"));
    EXPECT_EQ(FindFiles(folder.Path(), "*.WAV"), (std::vector<AnsiString> {"Hälytys.wav"_a}));
}

TEST(PathPieces, SplitAtTheLastSlashAndDot)
{
    EXPECT_EQ(ExtractFilePath("/a/b/QEX.INI"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/QEX.INI"), "QEX.INI");
    EXPECT_EQ(ExtractFilePath("QEX.INI"), "");
    EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
    EXPECT_EQ(ExtractFileExt("x.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/a/01-07.tmp", ".QEX"), "/a/01-07.QEX");
    EXPECT_EQ(ChangeFileExt("/a.b/file", ".x"), "/a.b/file.x");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
}

TEST(ExeFolderTest, DefaultsToTheBinarysFolderAndCanBeMoved)
{
    AnsiString real = ExeFolder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    EXPECT_TRUE(FileExists(real + "core_tests"));
    SetExeFolder("/tmp/somewhere");
    EXPECT_EQ(ExeFolder(), "/tmp/somewhere/");
    SetExeFolder(real);
}
