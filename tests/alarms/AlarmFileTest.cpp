#include "alarms/AlarmFile.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <gtest/gtest.h>

namespace {

AlarmRow Row(const AnsiString& caption, const AnsiString& channel, const AnsiString& time, const AnsiString& title)
{
    AlarmRow row;
    row.Caption = caption;
    row.SubItems = {channel, time, title, "", "Kuvaus", "#NRM #SHD:Normaali ilmoitus näytölle #PCS3 "_a};
    return row;
}

class AlarmFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetExeFolder(folder.Path()); }
    void TearDown() override { SetExeFolder(""); }
    fixture::TempFolder folder;
    TDateTime now = EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0);
};

TEST_F(AlarmFileTest, EveryRowIsEightCrLfLinesAndAnEmptyListIsAnEmptyFile)
{
    EXPECT_EQ(AlarmFileText({}), "");
    AnsiString text = AlarmFileText({Row("11.2.2026 (KE)", "TV1", "20:30", "Uutiset")});
    EXPECT_EQ(text, "11.2.2026 (KE)\r\nTV1\r\n20:30\r\nUutiset\r\n\r\nKuvaus\r\n"
                    "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS3 \r\n\r\n");
}

TEST_F(AlarmFileTest, ExpiredAlarmsAreDroppedAndListedOneLineEach)
{
    std::vector<AlarmRow> rows = {Row("11.2.2026 (KE)", "TV1", "09:00", "Aamu"),
                                  Row("11.2.2026 (KE)", "TV2", "10:00", "Nyt alkava"),
                                  Row("11.2.2026 (KE)", "MTV3", "10:01", "Tuleva")};
    WriteAlarmFile(rows);
    AlarmFileContents read = ReadAlarmFile(now);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].RecordText(), rows[2].RecordText());
    EXPECT_EQ(read.expiredText, "11.2.2026 (KE) TV1 09:00 Aamu\r\n11.2.2026 (KE) TV2 10:00 Nyt alkava\r\n");
    EXPECT_EQ(ExpiredAlarmsNotice(read.expiredText).substr(0, 47),
              "Seuraavat vanhetuneet h\xE4lytykset poistettiin:\r\r");
}

TEST_F(AlarmFileTest, DamagedRecordsNeverStopTheReading)
{
    // An unreadable date, a short first line, and a record cut short.
    fixture::WriteBytes(AlarmFilePath(), "x.y.z (KE)\r\nTV1\r\n20:00\r\nRikki\r\n\r\n\r\n#NRM \r\n\r\n"
                                         "12.2.2026 (TO)\r\nTV2\r\n21:00\r\nEhj\xE4\r\n\r\n\r\n#NRM \r\n\r\n"
                                         "13.2.2026 (PE)\r\nTV1\r\n");
    AlarmFileContents read = ReadAlarmFile(now);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].SubItems[afTitle], "Ehj\xE4");
    EXPECT_NE(read.expiredText.find("Rikki"), AnsiString::npos);
    EXPECT_NE(read.expiredText.find("13.2.2026 (PE) TV1"), AnsiString::npos);

    fixture::WriteBytes(AlarmFilePath(), "\r\n12.2.2026 (TO)\r\nTV2\r\n21:00\r\nX\r\n\r\n\r\n#NRM \r\n\r\n");
    EXPECT_TRUE(ReadAlarmFile(now).rows.empty()) << "a short first line ends the reading";
}

TEST_F(AlarmFileTest, MissingFileGivesNothing)
{
    AlarmFileContents read = ReadAlarmFile(now);
    EXPECT_TRUE(read.rows.empty());
    EXPECT_TRUE(read.expiredText.empty());
    EXPECT_FALSE(FileExists(AlarmFilePath()));
}

TEST(AlarmCountdown, DaysHoursMinutesOrOldOrEmpty)
{
    TDateTime now = EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0);
    EXPECT_EQ(AlarmCountdownText(now + 1 + EncodeTime(3, 5, 0, 0), now), "1 d. 3 h. 5 min. ");
    EXPECT_EQ(AlarmCountdownText(now + EncodeTime(0, 0, 59, 0), now), "");
    EXPECT_EQ(AlarmCountdownText(now + EncodeTime(2, 0, 30, 0), now), "2 h. ");
    EXPECT_EQ(AlarmCountdownText(now - EncodeTime(0, 0, 1, 0), now), "Vanha h\xE4lytys!");
    // The milliseconds of now are dropped, not rounded: 1 min ahead less 0.6 s is still 1 min.
    EXPECT_EQ(AlarmCountdownText(now + EncodeTime(0, 1, 0, 0), now + EncodeTime(0, 0, 0, 600)), "1 min. ");
}

} // namespace
