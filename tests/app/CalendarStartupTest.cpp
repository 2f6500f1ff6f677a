// The calendar of the day bar and the start-up clean-up of old listing files: plain data, no
// window.
#include "app/OldListingFiles.h"
#include "app/WeekDates.h"
#include "listings/Calendar.h"
#include "platform/core/Clock.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

TDateTime At(int year, int month, int day, int hour, int minute)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, 0, 0);
}

TEST(WeekDates, MidweekGivesThisMondayToNextSunday)
{
    TStringList dates;
    FillWeekDates(At(2026, 2, 11, 10, 0), dates);
    ASSERT_EQ(dates.Count(), 15);
    EXPECT_EQ(dates[0], "8.2.2026");
    EXPECT_EQ(dates[1], "9.2.2026");
    EXPECT_EQ(dates[7], "15.2.2026");
    EXPECT_EQ(dates[8], "16.2.2026");
    EXPECT_EQ(dates[14], "22.2.2026");
    EXPECT_EQ(WeekTabCaption(7, dates[1], dates[7]), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(WeekTabCaption(8, dates[8], dates[14]), "Viikko 8  (16.2 - 22.2)");
}

TEST(WeekDates, SundayBelongsToTheWeekItEnds)
{
    TStringList sunday, monday;
    FillWeekDates(At(2026, 2, 15, 12, 0), sunday);
    EXPECT_EQ(sunday[1], "9.2.2026");
    EXPECT_EQ(sunday[7], "15.2.2026");
    EXPECT_EQ(sunday[14], "22.2.2026");
}

TEST(WeekDates, AfterMidnightTheWeekIsTheTvDays)
{
    // Before 05:00 on a Monday the TV day is still Sunday: the dates are those of the week that
    // Sunday ends, so its day tab shows it and not the Sunday a week ahead.
    TStringList monday;
    FillWeekDates(At(2026, 2, 16, 0, 5), monday);
    EXPECT_EQ(CurrentTvDateText(At(2026, 2, 16, 0, 5)), "15.2.2026");
    EXPECT_EQ(monday[1], "9.2.2026");
    EXPECT_EQ(monday[7], "15.2.2026");
    EXPECT_EQ(monday[8], "16.2.2026");
    TStringList morning;
    FillWeekDates(At(2026, 2, 16, 5, 0), morning);
    EXPECT_EQ(morning[1], "16.2.2026");
    EXPECT_EQ(morning[14], "1.3.2026");
    // On a weekday night the week stays: Wednesday 01:00 is Tuesday's TV day, same week.
    TStringList wednesday;
    FillWeekDates(At(2026, 2, 11, 1, 0), wednesday);
    EXPECT_EQ(wednesday[1], "9.2.2026");
}

TEST(WeekDates, WeekAcrossNewYear)
{
    TStringList dates;
    FillWeekDates(At(2026, 12, 30, 12, 0), dates);
    EXPECT_EQ(dates[1], "28.12.2026");
    EXPECT_EQ(dates[7], "3.1.2027");
    EXPECT_EQ(dates[14], "10.1.2027");
}

TEST(WeekDates, TvDayTurnsAtFive)
{
    EXPECT_EQ(CurrentTvDateText(At(2026, 2, 11, 4, 59)), "10.2.2026");
    EXPECT_EQ(CurrentTvDateText(At(2026, 2, 11, 5, 0)), "11.2.2026");
    EXPECT_EQ(CurrentTvDateText(At(2026, 3, 1, 0, 0)), "28.2.2026");
}

class LongDate : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings().LongDayNames[4] = "Keskiviikko";
        FormatSettings().LongMonthNames[2] = "Helmikuu";
    }
    void TearDown() override { FormatSettings() = saved; }
    TFormatSettings saved = FormatSettings();
};

TEST_F(LongDate, FinnishNamesWithPartitiveMonth)
{
    EXPECT_EQ(LongShownDate("11.2.2026"), "Keskiviikko 11. Helmikuuta 2026");
    // A date that can't be read is shown as it is rather than raising on every caption.
    EXPECT_EQ(LongShownDate("x.2.2026"), "x.2.2026");
}

TEST(OldListingFiles, WeekPartOfTheName)
{
    EXPECT_EQ(ListingFileWeek("01-07.QEX"), 7);
    EXPECT_EQ(ListingFileWeek("53-19.qex"), 19);
    EXPECT_EQ(ListingFileWeek("01-7.QEX"), 7);
    EXPECT_EQ(ListingFileWeek("01-xx.QEX"), -1);
    EXPECT_EQ(ListingFileWeek("01-.QEX"), -1);
    EXPECT_EQ(ListingFileWeek("01- 7.QEX"), -1);
    EXPECT_EQ(ListingFileWeek("01-$1F.QEX"), -1);
    EXPECT_EQ(ListingFileWeek("01-99999999999.QEX"), -1);
}

TEST(OldListingFiles, MidYearKeepsLastWeekAndLater)
{
    // Wednesday 13.5.2026 is in week 20.
    TDateTime now = At(2026, 5, 13, 12, 0);
    ASSERT_EQ(WeekNumber(now), 20);
    EXPECT_TRUE(IsOldListingWeek(18, now));
    EXPECT_TRUE(IsOldListingWeek(1, now));
    EXPECT_FALSE(IsOldListingWeek(19, now));
    EXPECT_FALSE(IsOldListingWeek(20, now));
    EXPECT_FALSE(IsOldListingWeek(21, now));
    // A week far ahead can only be left over from last year.
    EXPECT_TRUE(IsOldListingWeek(50, now));
}

TEST(OldListingFiles, SundayStartsTheNewWeekNumber)
{
    // Sunday 17.5.2026 begins week 21: the file of the week that ends today (20) stays, 19 goes.
    TDateTime now = At(2026, 5, 17, 12, 0);
    ASSERT_EQ(WeekNumber(now), 21);
    EXPECT_FALSE(IsOldListingWeek(20, now));
    EXPECT_TRUE(IsOldListingWeek(19, now));
}

TEST(OldListingFiles, TurnOfTheYear)
{
    // Late December: next week's files, numbered from 1 again, are not old.
    TDateTime december = At(2026, 12, 30, 12, 0);
    EXPECT_FALSE(IsOldListingWeek(1, december));
    EXPECT_FALSE(IsOldListingWeek(2, december));
    EXPECT_FALSE(IsOldListingWeek(53, december));
    EXPECT_TRUE(IsOldListingWeek(51, december));
    // Mid-January: last December's files are old.
    TDateTime january = At(2027, 1, 13, 12, 0);
    EXPECT_TRUE(IsOldListingWeek(52, january));
    EXPECT_TRUE(IsOldListingWeek(53, january));
    EXPECT_FALSE(IsOldListingWeek(2, january));
    EXPECT_FALSE(IsOldListingWeek(3, january));
}

TEST(OldListingFiles, TheKeptWeeksEndEightWeeksAheadAndBeginAWeekAgo)
{
    // Sunday 10.5.2026 begins week 20; eight weeks on, Sunday 5.7.2026 begins week 28, the last
    // one kept. A week ago, Sunday 3.5.2026, began week 19; the day before it was in week 18.
    TDateTime now = At(2026, 5, 10, 12, 0);
    ASSERT_EQ(WeekNumber(now), 20);
    ASSERT_EQ(WeekNumber(At(2026, 7, 5, 12, 0)), 28);
    EXPECT_FALSE(IsOldListingWeek(28, now));
    EXPECT_TRUE(IsOldListingWeek(29, now));
    EXPECT_FALSE(IsOldListingWeek(19, now));
    EXPECT_TRUE(IsOldListingWeek(18, now));
}

TEST(OldListingFiles, DeletesOnlyOldNumberedFiles)
{
    fixture::TempFolder folder;
    SetExeFolder(folder.Path());
    ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
    for (const char* name : {"01-18.QEX", "01-19.QEX", "02-20.qex", "01-17.QEX", "01-ab.QEX", "tiedot.tvz"})
        fixture::WriteBytes(folder.Path() + "Tiedot/" + name, "x");
    DeleteOldListingFiles(At(2026, 5, 13, 12, 0));
    auto left = FindFiles(folder.Path() + "Tiedot/", "*");
    std::vector<AnsiString> expected = {"01-19.QEX", "01-ab.QEX", "02-20.qex", "tiedot.tvz"};
    EXPECT_EQ(left, expected);
    // A folder beside the data folder whose name begins the same is not the data folder.
    ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot2"));
    fixture::WriteBytes(folder.Path() + "Tiedot2/01-17.QEX", "x");
    DeleteOldListingFiles(At(2026, 5, 13, 12, 0));
    EXPECT_TRUE(FileExists(folder.Path() + "Tiedot2/01-17.QEX"));
    SetExeFolder("");
}

} // namespace
