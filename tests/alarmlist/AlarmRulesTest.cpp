// The alarm rules without a window: what an action string makes the firing do, the rows of
// listed programmes and the duplicate test.
#include "alarms/AlarmEntry.h"
#include "alarms/AlarmFiring.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <gtest/gtest.h>

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second = 0, int ms = 0)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, ms);
}

AlarmRow Row(const AnsiString& caption, const AnsiString& time, const AnsiString& title = "Uutiset",
             const AnsiString& channel = "TV1")
{
    AlarmRow row;
    row.Caption = caption;
    row.SubItems = {channel, time, title, "", "Kuvaus", "#NRM #SHD:0 "};
    return row;
}

TEST(FiringPlanTest, ActionStringTellsWindowBeepsSoundAndProgram)
{
    FiringPlan plan = ReadFiringPlan("#NRM #SHD:Normaali ilmoitus näytölle #PCS3 #WV:\"/a/b c.wav\" #EX:\"/x/y\" "_a);
    EXPECT_TRUE(plan.NormalNotice);
    EXPECT_FALSE(plan.FullScreenNotice);
    EXPECT_FALSE(plan.ExtrasOnly);
    EXPECT_EQ(plan.Beeps, 3);
    EXPECT_EQ(plan.SoundFile, "/a/b c.wav");
    EXPECT_EQ(plan.Program, "/x/y");

    plan = ReadFiringPlan("#NRM #SHD:Koko ruudun ilmoitus näytölle #PCS0 "_a);
    EXPECT_TRUE(plan.FullScreenNotice);
    EXPECT_EQ(plan.Beeps, 0);
    EXPECT_FALSE(plan.SoundFile);
    EXPECT_FALSE(plan.Program);

    // The type "0" of a never saved setting names no window; "#PCS" without a digit no beeps.
    plan = ReadFiringPlan("#NRM #SHD:0 #PCS #EX:\"/x/y\" ");
    EXPECT_FALSE(plan.Notice());
    EXPECT_FALSE(plan.Beeps);
    EXPECT_EQ(plan.Program, "/x/y");
    EXPECT_FALSE(ReadFiringPlan("#NRM #SHD:0 #PCS").Beeps);
    EXPECT_TRUE(ReadFiringPlan("#NRM #SHD:Vain lisäasetukset "_a).ExtrasOnly);
}

TEST(FiringPlanTest, TheBeepCountIsOneDigitFromZeroToNine)
{
    EXPECT_EQ(ReadFiringPlan("#NRM #SHD:0 #PCS9 ").Beeps, 9);
    EXPECT_EQ(ReadFiringPlan("#NRM #SHD:0 #PCS0").Beeps, 0) << "the digit may be the last byte";
    EXPECT_EQ(ReadFiringPlan("#NRM #SHD:0 #PCS12 ").Beeps, 1) << "only one digit is read";
    // The bytes just beside '0' and '9' are no count.
    EXPECT_FALSE(ReadFiringPlan("#NRM #SHD:0 #PCS/ ").Beeps);
    EXPECT_FALSE(ReadFiringPlan("#NRM #SHD:0 #PCS: ").Beeps);
}

TEST(FiringPlanTest, WarningsAreTheProgramsOwnTexts)
{
    EXPECT_EQ(MissingSoundWarning("/tmp/a.wav"),
              "\xC4\xE4nitiedostoa ei l\xF6ydy tai ei ole valittu.\r\n(/tmp/a.wav)");
    EXPECT_EQ(ProgramFailedWarning("/bin/x"),
              "Ohjelmaa ei l\xF6ydy,ei ole valittu tai virhe ilmeni sen suorittamisen aikana.\r\n(/bin/x)");
}

TEST(AlarmEntryTest, AfterMidnightTheNextDateCarriesTheTvDaysLetters)
{
    TDateTime start = 0;
    // Sunday's TV day 6.12.2026: 01:30 is Monday morning.
    ASSERT_TRUE(ProgrammeStart(EncodeDate(2026, 12, 6), "01:30", start));
    EXPECT_EQ(start, At(2026, 12, 7, 1, 30));
    EXPECT_EQ(AlarmCaption(start), "7.12.2026 (SU)");
    ASSERT_TRUE(ProgrammeStart(EncodeDate(2026, 12, 6), "05:00", start));
    EXPECT_EQ(AlarmCaption(start), "6.12.2026 (SU)");
    // The last minute before the TV day's turn still belongs to the next date.
    ASSERT_TRUE(ProgrammeStart(EncodeDate(2026, 12, 6), "04:59", start));
    EXPECT_EQ(start, At(2026, 12, 7, 4, 59));
    ASSERT_TRUE(ProgrammeStart(EncodeDate(2001, 9, 7), "01:30", start));
    EXPECT_EQ(AlarmCaption(start), "8.9.2001 (PE)");
    EXPECT_FALSE(ProgrammeStart(EncodeDate(2026, 12, 6), "ab:cd", start));
}

TEST(AlarmEntryTest, ListLinesGiveChannelTimeAndTitle)
{
    ListedProgramme programme;
    ASSERT_TRUE(ProgrammeOfViewLine("<c:clRed><b>21:00 <w:MTV3>Elokuva  ", EncodeDate(2026, 12, 7), "",
                                    programme));
    EXPECT_EQ(programme.Channel, "MTV3");
    EXPECT_EQ(programme.Time, "21:00");
    EXPECT_EQ(programme.Title, "Elokuva");
    ASSERT_TRUE(ProgrammeOfViewLine("00:30 Yöelokuva"_a, EncodeDate(2026, 12, 7), "TV1", programme));
    EXPECT_EQ(programme.Channel, "TV1");
    EXPECT_EQ(programme.Start, At(2026, 12, 8, 0, 30));

    ASSERT_TRUE(ProgrammeOfSearchLine("06.12.2026 (SU) <w2:Canal+>01:30 Yöelokuva"_a, programme));
    EXPECT_EQ(programme.Channel, "Canal+");
    EXPECT_EQ(programme.Time, "01:30");
    EXPECT_EQ(programme.Title, "Yöelokuva"_a);
    EXPECT_EQ(programme.Start, At(2026, 12, 7, 1, 30));
    EXPECT_FALSE(ProgrammeOfSearchLine("hakutulos", programme));
    EXPECT_FALSE(ProgrammeOfSearchLine("31.02.2026 (SU) <w2:TV1>10:00 X", programme));
}

TEST(AlarmEntryTest, DuplicateTestComparesWholeFields)
{
    const std::vector<AlarmRow> rows = {Row("17.12.2026 (TO)", "20:00", "Tv-uutiset", "TV1000")};
    EXPECT_TRUE(AnyHoldsProgramme(rows, "17.12.2026", "TV1000", "20:00", "Tv-uutiset "));
    EXPECT_FALSE(AnyHoldsProgramme(rows, "7.12.2026", "TV1000", "20:00", "Tv-uutiset"));
    EXPECT_FALSE(AnyHoldsProgramme(rows, "17.12.2026", "TV1", "20:00", "Tv-uutiset"));
    EXPECT_FALSE(AnyHoldsProgramme(rows, "17.12.2026", "TV1000", "20:00", "uutiset"));
    EXPECT_FALSE(AnyHoldsProgramme(rows, "17.12.2026", "TV1000", "0:00", "Tv-uutiset"));
}

TEST(AlarmEntryTest, ShortDescriptionsGiveWayToTheTitle)
{
    EXPECT_EQ(AlarmDescription("ab", "Uutiset"), "Uutiset");
    EXPECT_EQ(AlarmDescription("abc", "Uutiset"), "abc");
}

class DefaultActionTest : public ::testing::Test {
protected:
    void SetUp() override { SetExeFolder(folder.Path()); }
    void TearDown() override { SetExeFolder(""); }
    fixture::TempFolder folder;
};

TEST_F(DefaultActionTest, EmptySettingsGiveANoticeWindowWithFiveBeeps)
{
    EXPECT_EQ(DefaultAlarmActionString(), "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS5 ");
}

TEST_F(DefaultActionTest, SettingsFillEveryToken)
{
    fixture::WriteBytes(folder.Path() + "QEX.INI",
                        "[H\xE4lytys]\r\nTyyppi=Koko ruudun ilmoitus n\xE4yt\xF6lle\r\nPCSpeakerK\xE4yt\xF6ss\xE4=1\r\n"
                        "PCSpeakerTimes=7\r\n\xC4\xE4ni=/s/a.wav\r\nOhjelma=abc\r\n");
    EXPECT_EQ(DefaultAlarmActionString(), "#NRM #SHD:Koko ruudun ilmoitus n\xE4yt\xF6lle #PCS7 #WV:\"/s/a.wav\" ");
    fixture::WriteBytes(folder.Path() + "QEX.INI",
                        "[H\xE4lytys]\r\nTyyppi=Vain lis\xE4" "asetukset\r\nPCSpeakerK\xE4yt\xF6ss\xE4=0\r\n"
                        "Ohjelma=/usr/bin/x\r\n");
    EXPECT_EQ(DefaultAlarmActionString(), "#NRM #SHD:Vain lis\xE4" "asetukset #EX:\"/usr/bin/x\" ");
}

} // namespace
