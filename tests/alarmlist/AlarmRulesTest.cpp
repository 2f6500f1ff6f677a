// The alarm rules without a window: when a row is due, which seconds the clock looks at, what an
// action string makes the firing do, the rows of listed programmes and the duplicate test.
#include "alarms/AlarmEntry.h"
#include "alarms/AlarmFiring.h"
#include "alarms/AlarmSchedule.h"
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

TEST(AlarmDueTest, DueIsTheFullStartLessTheLeadAcrossMidnight)
{
    EXPECT_EQ(AlarmDueSecond(Row("7.12.2026 (MA)", "20:00"), 5), WholeSecond(At(2026, 12, 7, 19, 55)));
    EXPECT_EQ(AlarmDueSecond(Row("7.12.2026 (MA)", "20:00"), 0), WholeSecond(At(2026, 12, 7, 20, 0)));
    // The row of a programme after midnight carries its own date and the TV day's letters.
    EXPECT_EQ(AlarmDueSecond(Row("8.12.2026 (MA)", "00:03"), 5), WholeSecond(At(2026, 12, 7, 23, 58)));
    // A dialog-made time keeps a blank for a one-digit hour.
    EXPECT_EQ(AlarmDueSecond(Row("1.1.2027 (PE)", " 0:02"), 5), WholeSecond(At(2026, 12, 31, 23, 57)));
    EXPECT_FALSE(AlarmDueSecond(Row("7.12.2026 (MA)", "xx:00"), 5));
    EXPECT_FALSE(AlarmDueSecond(Row("31.2.2026 (MA)", "20:00"), 5));
}

TEST(AlarmDueTest, LeadTimeStaysWithinAnHour)
{
    EXPECT_EQ(ClampLeadMinutes(-3), 0);
    EXPECT_EQ(ClampLeadMinutes(59), 59);
    EXPECT_EQ(ClampLeadMinutes(600), 59);
    EXPECT_EQ(AlarmDueSecond(Row("7.12.2026 (MA)", "20:00"), 90), WholeSecond(At(2026, 12, 7, 19, 1)));
}

TEST(AlarmDueTest, WholeSecondsDropTheMilliseconds)
{
    EXPECT_EQ(WholeSecond(At(2026, 12, 7, 19, 54, 59, 950)) + 1, WholeSecond(At(2026, 12, 7, 19, 55)));
    EXPECT_EQ(WholeSecond(At(2026, 12, 7, 19, 55, 0, 850)), WholeSecond(At(2026, 12, 7, 19, 55)));
    EXPECT_EQ(WholeSecond(MomentOfSecond(WholeSecond(At(2026, 12, 7, 19, 55, 0, 999)))),
              WholeSecond(At(2026, 12, 7, 19, 55)));
}

TEST(DueSecondsTest, EverySecondIsHandedOutOnceAndALateTickCatchesUpAMinute)
{
    DueSeconds seconds;
    const std::int64_t t = WholeSecond(At(2026, 12, 7, 19, 55));
    SecondRange first = seconds.Take(t);
    EXPECT_EQ(first.first, t);
    EXPECT_EQ(first.last, t);
    // A second tick within the same second sees nothing new.
    EXPECT_TRUE(seconds.Take(t).Empty());
    SecondRange next = seconds.Take(t + 1);
    EXPECT_EQ(next.first, t + 1);
    EXPECT_EQ(next.last, t + 1);
    // Five seconds lost in a modal box: all five are looked at.
    SecondRange late = seconds.Take(t + 6);
    EXPECT_EQ(late.first, t + 2);
    EXPECT_EQ(late.last, t + 6);
    // Ten minutes lost: only the last minute.
    SecondRange long_late = seconds.Take(t + 606);
    EXPECT_EQ(long_late.first, t + 606 - 59);
    EXPECT_EQ(long_late.last, t + 606);
    // The clock set back: the present second alone.
    SecondRange back = seconds.Take(t);
    EXPECT_EQ(back.first, t);
    EXPECT_EQ(back.last, t);
}

TEST(DueSecondsTest, RowsFireByDueSecondThenInListOrder)
{
    const std::vector<AlarmRow> rows = {Row("7.12.2026 (MA)", "20:01", "C"), Row("7.12.2026 (MA)", "20:00", "A"),
                                        Row("8.12.2026 (TI)", "20:00", "Huominen"),
                                        Row("7.12.2026 (MA)", "20:00", "B"), Row("7.12.2026 (MA)", "bad", "X")};
    const std::int64_t t = WholeSecond(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(RowsDueIn(rows, 5, {t, t}), (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(RowsDueIn(rows, 5, {t, t + 60}), (std::vector<std::size_t>{1, 3, 0}));
    EXPECT_TRUE(RowsDueIn(rows, 5, {t + 1, t + 59}).empty());
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

TEST_F(DefaultActionTest, EmptySettingsGiveTypeZeroAndThreeBeeps)
{
    EXPECT_EQ(DefaultAlarmActionString(), "#NRM #SHD:0 #PCS3 ");
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
