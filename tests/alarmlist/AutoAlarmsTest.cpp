// The automatic alarms' search over stored listing files, without a window.
#include "alarms/AutoAlarms.h"
#include "listings/ChannelTable.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using fixture::Programme;

class AutoAlarmsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeFolder(folder.Path());
        ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
    }
    void TearDown() override { SetExeFolder(""); }

    void Settings(const std::string& lines) { fixture::WriteBytes(folder.Path() + "QEX.INI", lines); }

    // Week 50 of 2026 (Monday 7.12.) for one channel; days[i] is Monday + i.
    void Week(const char* channel, const std::vector<std::vector<Programme>>& days)
    {
        std::vector<std::vector<Programme>> week = days;
        week.resize(7);
        fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(ChannelCode(channel).c_str()), "50", 2026, 12, 7,
                           week);
    }

    fixture::TempFolder folder;
    // Monday 7.12.2026 in the evening.
    TDateTime now = EncodeDate(2026, 12, 7) + EncodeTime(19, 0, 0, 0);
};

TEST_F(AutoAlarmsTest, SwitchedOnOnlyWithTheSettingAndMoreThanTwoCharacters)
{
    EXPECT_FALSE(AutoAlarmsSwitchedOn());
    Settings("[H\xE4lytys]\r\nLis\xE4\xE4" "Automaattisesti=1\r\nAutomaattisestiLis\xE4tt\xE4v\xE4t=ab\r\n");
    EXPECT_FALSE(AutoAlarmsSwitchedOn());
    Settings("[H\xE4lytys]\r\nLis\xE4\xE4" "Automaattisesti=1\r\nAutomaattisestiLis\xE4tt\xE4v\xE4t=abc\r\n");
    EXPECT_TRUE(AutoAlarmsSwitchedOn());
    EXPECT_TRUE(AutoAlarmsAskFirst());
    // Text after the last ';' and empty keywords are no keywords.
    Settings("[H\xE4lytys]\r\nAutomaattisestiLis\xE4tt\xE4v\xE4t=Uutiset;;Ren\xE9;Viimeinen\r\n");
    EXPECT_EQ(AutoAlarmKeywords(), (std::vector<AnsiString>{"Uutiset", "Ren\xE9"}));
}

TEST_F(AutoAlarmsTest, KeywordsFindTitlesAndDescriptionsEachProgrammeOnce)
{
    const std::string text = fixture::DayText({{"18:00", "Uutiset", "P\xE4iv\xE4n uutiset."},
                                               {"20:00", "Elokuva", "Ohjaaja Aki; uutiset mukana."},
                                               {"21:00", "Dokumentti", ""},
                                               {"01:30", "Y\xF6uutiset", "Lyhyesti."}});
    std::vector<AutoAlarmCandidate> found =
        CandidatesOfDay("TV1", EncodeDate(2026, 12, 8), text, {"Aki", "uutiset", "", "Uutiset"});
    ASSERT_EQ(found.size(), 3u);
    // Keyword order first: "Aki" (only in a description), then "uutiset", then "Uutiset".
    EXPECT_EQ(found[0].Title, "Elokuva");
    EXPECT_EQ(found[0].Description, "Ohjaaja Aki; uutiset mukana.");
    EXPECT_EQ(found[1].Title, "Uutiset");
    EXPECT_EQ(found[2].Title, "Y\xF6uutiset");
    EXPECT_EQ(found[2].Caption, "9.12.2026 (TI)");
    EXPECT_EQ(found[2].DateText, "9.12.2026");
    EXPECT_EQ(found[2].Time, "01:30");
    EXPECT_EQ(found[2].Line, "01:30 Y\xF6uutiset");
}

TEST_F(AutoAlarmsTest, NoKeywordAndUnreadableTimesFindNothing)
{
    const std::string text = "xx:00 Uutiset\r\nkuvaus\r\n18:00 Uutiset\r\n";
    std::vector<AutoAlarmCandidate> found = CandidatesOfDay("TV1", EncodeDate(2026, 12, 8), text, {"Uutiset"});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Time, "18:00");
    EXPECT_EQ(found[0].Description, "");
    EXPECT_TRUE(CandidatesOfDay("TV1", EncodeDate(2026, 12, 8), text, {""}).empty());
    EXPECT_TRUE(CandidatesOfDay("TV1", EncodeDate(2026, 12, 8), text, {}).empty());
}

TEST_F(AutoAlarmsTest, RecordKeysGiveTheirDateOrNothing)
{
    TDateTime date = 0;
    EXPECT_TRUE(RecordDate(fixture::RecordKey(2026, 12, 8, 1), date));
    EXPECT_EQ(date, EncodeDate(2026, 12, 8));
    EXPECT_FALSE(RecordDate(fixture::RecordKey(2026, 2, 30, 1), date));
    EXPECT_FALSE(RecordDate(-5, date));
    EXPECT_FALSE(RecordDate(123, date));
    // Eight digits are a date without a channel; seven are no date.
    EXPECT_TRUE(RecordDate(20261208, date));
    EXPECT_EQ(date, EncodeDate(2026, 12, 8));
    EXPECT_FALSE(RecordDate(2026128, date));
}

TEST_F(AutoAlarmsTest, SearchSkipsTodayAndChannelsThatAreNoWholeElement)
{
    Settings("[Kanavat]\r\nK\xE4yt\xF6ss\xE4=TV1000;MTV3;\r\n");
    const std::vector<Programme> day = {{"20:00", "Uutiset", "Iltauutiset."}};
    // Monday is today: skipped even though 20:00 is still ahead.
    Week("TV1", {day, day});
    Week("TV1000", {day, {}, day});
    Week("MTV3", {{}, day});
    std::vector<AutoAlarmCandidate> found = FindAutoAlarmCandidates(now, {"Uutiset"});
    // "TV1" is not enabled although "TV1000" holds it; files go in name order (02 MTV3, 08 TV1000).
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Channel, "MTV3");
    EXPECT_EQ(found[0].Caption, "8.12.2026 (TI)");
    EXPECT_EQ(found[1].Channel, "TV1000");
    EXPECT_EQ(found[1].Caption, "9.12.2026 (KE)");
}

TEST_F(AutoAlarmsTest, DamagedFilesGiveWhatTheyHoldBeforeTheDamage)
{
    const std::string tuesday = fixture::FileBytes({{fixture::RecordKey(2026, 12, 8, 1), "20:00 Uutiset\r\n\r\n"}});
    const std::string wednesday = fixture::FileBytes({{fixture::RecordKey(2026, 12, 9, 1), "21:00 Uutiset\r\n\r\n"}});
    fixture::WriteBytes(folder.Path() + "Tiedot/01-49.QEX", "\x01\x02\x03");
    // A length beyond the file, then a negative one: reading stops there.
    std::string beyond = tuesday;
    beyond[4] = '\x7F';
    fixture::WriteBytes(folder.Path() + "Tiedot/01-50.QEX", wednesday + beyond + wednesday);
    std::string negative = tuesday;
    negative[7] = '\xFF';
    fixture::WriteBytes(folder.Path() + "Tiedot/01-51.QEX", tuesday + negative + wednesday);
    fixture::WriteBytes(folder.Path() + "Tiedot/99-50.QEX", tuesday);
    std::vector<AutoAlarmCandidate> found = FindAutoAlarmCandidates(now, {"Uutiset"});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Caption, "9.12.2026 (KE)");
    EXPECT_EQ(found[1].Caption, "8.12.2026 (TI)");
}

TEST_F(AutoAlarmsTest, StatusTexts)
{
    EXPECT_EQ(AutoAlarmsSearchingText(), "Etsit\xE4\xE4n lis\xE4tt\xE4vi\xE4 h\xE4lytyksi\xE4...");
    EXPECT_EQ(AutoAlarmsDoneText(1), "H\xE4lytysten etsint\xE4 suoritettu. (1 ohjelma lis\xE4tty)");
    EXPECT_EQ(AutoAlarmsDoneText(0), "H\xE4lytysten etsint\xE4 suoritettu. (0 ohjelmaa lis\xE4tty)");
    EXPECT_EQ(AutoAlarmsDoneText(2), "H\xE4lytysten etsint\xE4 suoritettu. (2 ohjelmaa lis\xE4tty)");
}

} // namespace
