#include "listings/ListingStore.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/FileWatching.h"
#include "support/ListingFixture.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using fixture::DayRecord;
using fixture::Programme;
using fixture::RecordKey;

namespace {

class ListingStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeFolder(folder.Path());
        ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
    }
    void TearDown() override { SetExeFolder(""); }
    std::string Data() const { return folder.Path() + "Tiedot/"; }

    fixture::TempFolder folder;
};

std::vector<std::vector<Programme>> WeekOf(const std::string& firstTitle)
{
    std::vector<std::vector<Programme>> days;
    for (int i = 0; i < 7; ++i)
        days.push_back({{"06:00", firstTitle + " " + std::to_string(i), "Kuvaus"}, {"01:30", "Y\xF6ohjelma", ""}});
    return days;
}

TEST_F(ListingStoreTest, FindsTheDayByKeyAndEndsWithTwoEmptyLines)
{
    fixture::WriteWeek(Data(), 1, "07", 2026, 2, 9, WeekOf("Uutiset"));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    ASSERT_EQ(lines.Count(), 6);
    EXPECT_EQ(lines[0], "06:00 Uutiset 2");
    EXPECT_EQ(lines[1], "Kuvaus");
    EXPECT_EQ(lines[2], "01:30 Y\xF6ohjelma");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
}

TEST_F(ListingStoreTest, DayTextWithoutFinalLineBreak)
{
    fixture::WriteBytes(Data() + "01-07.QEX",
                        fixture::FileBytes({{RecordKey(2026, 2, 11, 1), "06:00 Uutiset\r\nKuvaus"}}));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[1], "Kuvaus");
    EXPECT_EQ(lines[2], "");
}

TEST_F(ListingStoreTest, SundayIsInTheFileOfTheWeekItEnds)
{
    fixture::WriteWeek(Data(), 1, "36", 2001, 9, 3, WeekOf("Maanantaista"));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "9.9.2001", lines));
    EXPECT_EQ(lines[0], "06:00 Maanantaista 6");
    EXPECT_FALSE(LoadDayListing("01", "10.9.2001", lines));
}

TEST_F(ListingStoreTest, WeekSpanningNewYearIsAlsoFoundInItsMondaysFile)
{
    // The download names the file after the Monday (31.12.2001 is in week 53).
    fixture::WriteWeek(Data(), 1, "53", 2001, 12, 31, WeekOf("Vuodenvaihde"));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "1.1.2002", lines));
    EXPECT_EQ(lines[0], "06:00 Vuodenvaihde 1");
    ASSERT_TRUE(LoadDayListing("01", "6.1.2002", lines)); // Sunday: own file "00" is absent
    EXPECT_EQ(lines[0], "06:00 Vuodenvaihde 6");

    fixture::WriteWeek(Data(), 1, "53", 2005, 12, 26, WeekOf("Joulu"));
    ASSERT_TRUE(LoadDayListing("01", "1.1.2006", lines));
    EXPECT_EQ(lines[0], "06:00 Joulu 6");
}

TEST_F(ListingStoreTest, MissingFileLeavesLinesAndFileWithoutTheDateClearsThem)
{
    TStringList lines;
    lines.Add("entinen");
    EXPECT_FALSE(LoadDayListing("01", "11.2.2026", lines));
    ASSERT_EQ(lines.Count(), 1);

    fixture::WriteBytes(Data() + "01-07.QEX",
                        fixture::FileBytes({{RecordKey(2026, 2, 10, 1), "06:00 Toinen\r\n\r\n"}}));
    EXPECT_FALSE(LoadDayListing("01", "11.2.2026", lines));
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(ListingStoreTest, KeysOfChannelsWithSwappedDigitsDoNotMix)
{
    std::string text01 = "06:00 Ykk\xF6nen\r\n\r\n", text10 = "06:00 Kymppi\r\n\r\n";
    fixture::WriteBytes(Data() + "01-07.QEX", fixture::FileBytes({{RecordKey(2026, 2, 11, 10), text10},
                                                                  {RecordKey(2026, 2, 11, 1), text01}}));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    EXPECT_EQ(lines[0], "06:00 Ykk\xF6nen");
}

TEST_F(ListingStoreTest, ArchiveNamesInLowerCaseAreFound)
{
    fixture::WriteWeek(Data(), 1, "07", 2026, 2, 9, WeekOf("Pieni"));
    ASSERT_TRUE(RenameFile(Data() + "01-07.QEX", Data() + "01-07.qex"));
    TStringList lines;
    EXPECT_TRUE(LoadDayListing("01", "11.2.2026", lines));
}

TEST_F(ListingStoreTest, DamagedRecordsEndTheFileWithoutCrashing)
{
    auto day = RecordKey(2026, 2, 11, 1);
    auto before = RecordKey(2026, 2, 10, 1);
    std::string good = fixture::FileBytes({{day, "06:00 Uutiset\r\n\r\n"}});

    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"negative length", fixture::FileBytes({{before, ""}}).substr(0, 4) + std::string("\xFF\xFF\xFF\xFF", 4) + good},
        {"length past the end", fixture::FileBytes({{before, ""}}).substr(0, 4) + std::string("\x00\x00\x00\x7F", 4) + good},
        {"record cut short", good.substr(0, good.size() - 3)},
        {"header cut short", good.substr(0, 6)},
        {"empty file", ""},
    };
    for (const auto& c : cases) {
        fixture::WriteBytes(Data() + "01-07.QEX", c.bytes);
        TStringList lines;
        lines.Add("x");
        EXPECT_FALSE(LoadDayListing("01", "11.2.2026", lines)) << c.what;
        EXPECT_EQ(lines.Count(), 0) << c.what;
    }
}

TEST_F(ListingStoreTest, NulByteCostsOnlyTheRestOfItsLine)
{
    const std::string text = std::string("06:00 Uutiset\r\n\0rikki\r\n07:00 Aamu\0tv\r\nKuvaus\r\n08:00 S\xE4\xE4\r\n\r\n", 59);
    fixture::WriteBytes(Data() + "01-07.QEX", fixture::FileBytes({{RecordKey(2026, 2, 11, 1), text}}));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    ASSERT_EQ(lines.Count(), 8);
    EXPECT_EQ(lines[0], "06:00 Uutiset");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "07:00 Aamu");
    EXPECT_EQ(lines[3], "Kuvaus");
    EXPECT_EQ(lines[4], "08:00 S\xE4\xE4");
}

// A week file is read once for all its days; what is kept must never hide a change of the file,
// however it is changed and however soon after the last read.
TEST_F(ListingStoreTest, ChangedFilesAreSeenAtOnce)
{
    const std::string path = Data() + "01-07.QEX";
    auto fileWith = [](const std::string& title) {
        return fixture::FileBytes({{RecordKey(2026, 2, 11, 1), "06:00 " + title + "\r\n\r\n"}});
    };
    auto firstLine = [] {
        TStringList lines;
        return LoadDayListing("01", "11.2.2026", lines) ? lines[0] : AnsiString("(none)");
    };
    fixture::WriteBytes(path, fileWith("Ensimm\xE4inen"));
    ASSERT_EQ(firstLine(), "06:00 Ensimm\xE4inen");
    ASSERT_EQ(firstLine(), "06:00 Ensimm\xE4inen");

    fixture::WriteBytes(path, fileWith("Toinen_____")); // same size, rewritten in place
    EXPECT_EQ(firstLine(), "06:00 Toinen_____");

    fixture::WriteBytes(Data() + "uusi.tmp", fileWith("Kolmas"));
    ASSERT_EQ(std::rename((Data() + "uusi.tmp").c_str(), path.c_str()), 0); // replaced as an extraction does
    EXPECT_EQ(firstLine(), "06:00 Kolmas");

    ASSERT_TRUE(DeleteFile(path));
    EXPECT_EQ(firstLine(), "(none)");

    fixture::WriteBytes(Data() + "01-07.qex", fileWith("Pienell\xE4"));
    EXPECT_EQ(firstLine(), "06:00 Pienell\xE4");
}

// A watch costs the process's end a wait in the kernel: week files left alone for a while, as
// they are at start-up, are told apart by their times, and only a file changed moments ago is
// watched.
TEST_F(ListingStoreTest, SettledFilesAreReadWithoutAWatch)
{
    const std::string path = Data() + "01-07.QEX";
    auto fileWith = [](const std::string& title) {
        return fixture::FileBytes({{RecordKey(2026, 2, 11, 1), "06:00 " + title + "\r\n\r\n"}});
    };
    fixture::WriteBytes(path, fileWith("Vanha"));
    ASSERT_TRUE(fixture::WaitUntilSettled(path));
    const int before = fixture::OpenWatchInstances();
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    EXPECT_EQ(lines[0], "06:00 Vanha");
    EXPECT_EQ(fixture::OpenWatchInstances(), before);

    fixture::WriteBytes(path, fileWith("Uusi_")); // same size, rewritten in place
    ASSERT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    EXPECT_EQ(lines[0], "06:00 Uusi_");
    EXPECT_GE(fixture::OpenWatchInstances(), 1) << "a file changed moments ago is watched";
}

TEST_F(ListingStoreTest, AFileHoldsSevenRecordsAndAWholeDownloadAtMost)
{
    // An eighth record is no day of the week, even when its key fits.
    std::vector<fixture::DayRecord> records;
    for (int day = 9; day <= 15; ++day)
        records.push_back({RecordKey(2026, 2, day, 1), "06:00 P\xE4iv\xE4 " + std::to_string(day) + "\r\n"});
    records.push_back({RecordKey(2026, 2, 16, 1), "06:00 Kahdeksas\r\n"});
    fixture::WriteBytes(Data() + "01-07.QEX", fixture::FileBytes(records));
    fixture::WriteBytes(Data() + "01-08.QEX", fixture::FileBytes(records));
    TStringList lines;
    ASSERT_TRUE(LoadDayListing("01", "15.2.2026", lines));
    EXPECT_EQ(lines[0], "06:00 P\xE4iv\xE4 15");
    // 16.2.2026 is the next Monday: the same records under that week's name.
    EXPECT_FALSE(LoadDayListing("01", "16.2.2026", lines));

    // A file of exactly 64 MiB is read; one byte more is no listing file.
    const std::string path = Data() + "01-07.QEX";
    fixture::WriteBytes(path, fixture::FileBytes({{RecordKey(2026, 2, 11, 1), "06:00 Iso\r\n"}}));
    ASSERT_EQ(::truncate(path.c_str(), 64 * 1024 * 1024), 0);
    EXPECT_TRUE(LoadDayListing("01", "11.2.2026", lines));
    EXPECT_EQ(lines[0], "06:00 Iso");
    ASSERT_EQ(::truncate(path.c_str(), 64 * 1024 * 1024 + 1), 0);
    LoadDayListing("01", "11.2.2026", lines);
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(ListingStoreTest, UnreadableFileRaises)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    fixture::WriteWeek(Data(), 1, "07", 2026, 2, 9, WeekOf("Lukittu"));
    chmod((Data() + "01-07.QEX").c_str(), 0);
    TStringList lines;
    EXPECT_THROW(LoadDayListing("01", "11.2.2026", lines), EFOpenError);
}

TEST_F(ListingStoreTest, ListFilesAddsMatchingFilesWithTheirFolder)
{
    fixture::WriteBytes(Data() + "01-07.QEX", "");
    fixture::WriteBytes(Data() + "02-07.qex", "");
    fixture::WriteBytes(Data() + ".03-07.QEX", "");
    fixture::WriteBytes(Data() + "tiedot.tvz", "");
    ASSERT_TRUE(ForceDirectories(Data() + "04-07.QEX"));
    TStringList list;
    list.Add("ennestään");
    ListFiles(Data(), "*.QEX", list);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], "ennestään");
    EXPECT_NE(list.IndexOf(Data() + "01-07.QEX"), -1);
    EXPECT_NE(list.IndexOf(Data() + "02-07.qex"), -1);
    EXPECT_NE(list.IndexOf(Data() + ".03-07.QEX"), -1);
}

} // namespace
