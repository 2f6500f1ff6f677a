#include "listings/Calendar.h"
#include "platform/core/Clock.h"
#include <gtest/gtest.h>

namespace {

class ClockGuard {
public:
    explicit ClockGuard(TDateTime now) { ClockSet(now); }
    ~ClockGuard() { ClockUseSystem(); }
};

TEST(WeekNumber, CountsWeeksThatBeginOnSunday)
{
    EXPECT_EQ(WeekNumber(EncodeDate(2001, 9, 3)), 36);
    // The week's last day and the next one's first.
    EXPECT_EQ(WeekNumber(EncodeDate(2001, 9, 8)), 36); // a Saturday
    EXPECT_EQ(WeekNumber(EncodeDate(2001, 9, 9)), 37);
    EXPECT_EQ(WeekNumber(EncodeDate(2001, 1, 1)), 1);
    EXPECT_EQ(WeekNumber(EncodeDate(2006, 1, 1)), 1); // a Sunday
    EXPECT_EQ(WeekNumber(EncodeDate(2000, 12, 31)), 54);
}

TEST(WeekNumber, FileWeekOfASundayIsTheWeekItEnds)
{
    EXPECT_EQ(ListingWeekText(EncodeDate(2001, 9, 9)), "36");
    EXPECT_EQ(ListingWeekText(EncodeDate(2001, 9, 3)), "36");
    EXPECT_EQ(ListingWeekText(EncodeDate(2001, 9, 8)), "36");
    EXPECT_EQ(ListingWeekText(EncodeDate(2001, 9, 10)), "37");
    EXPECT_EQ(ListingWeekText(EncodeDate(2000, 12, 31)), "53");
    EXPECT_EQ(ListingWeekText(EncodeDate(2006, 1, 1)), "00");
    EXPECT_EQ(ListingWeekText(EncodeDate(2026, 2, 17)), "08");
    // The last week of one digit is padded, the first of two is not.
    EXPECT_EQ(ListingWeekText(EncodeDate(2026, 2, 23)), "09");
    EXPECT_EQ(ListingWeekText(EncodeDate(2026, 3, 2)), "10");
}

TEST(DayIndex, LateNightShiftFollowsTheClockNotTheDate)
{
    TDateTime tuesday = EncodeDate(2026, 2, 10);
    {
        ClockGuard clock(tuesday + EncodeTime(4, 59, 59, 0));
        EXPECT_EQ(DayIndex(true, tuesday), 1);
        EXPECT_EQ(DayIndex(false, tuesday), 2);
        EXPECT_EQ(DayName(true, tuesday), "Maanantai");
    }
    {
        ClockGuard clock(tuesday + EncodeTime(5, 0, 0, 0));
        EXPECT_EQ(DayIndex(true, tuesday), 2);
    }
    TDateTime monday = EncodeDate(2026, 2, 9);
    ClockGuard clock(monday + EncodeTime(3, 0, 0, 0));
    EXPECT_EQ(DayIndex(true, monday), 7);
    EXPECT_EQ(DayName(true, monday), "Sunnuntai");
}

TEST(DayAbbrev, IsTheFirstTwoLettersUpperCased)
{
    EXPECT_EQ(DayAbbrev(EncodeDate(2026, 2, 11)), "KE");
    EXPECT_EQ(DayAbbrev(EncodeDate(2026, 2, 15)), "SU");
    EXPECT_EQ(DayAbbrev(EncodeDate(2026, 2, 14)), "LA");
}

// Every name the captions, day menu and alarm rows use, read through the date formats the way
// the program shows them: one wrong name would stand in every caption of that day or month.
TEST(FinnishNames, EveryDayAndMonthAsTheFormatsShowThem)
{
    SetFinnishDateNames();
    const char* days[] = {"Maanantai", "Tiistai", "Keskiviikko", "Torstai", "Perjantai", "Lauantai", "Sunnuntai"};
    for (int day = 1; day <= 7; ++day) {
        EXPECT_EQ(FinnishDayName(day), days[day - 1]);
        // 7.12.2026 is a Monday.
        EXPECT_EQ(FormatDateTime("dddd", EncodeDate(2026, 12, 6 + day)), days[day - 1]) << day;
    }
    EXPECT_EQ(FinnishDayName(0), "");
    EXPECT_EQ(FinnishDayName(8), "");
    const AnsiString months[] = {"Tammikuu", "Helmikuu", "Maaliskuu", "Huhtikuu", "Toukokuu", "Kesäkuu"_a,
                                 "Heinäkuu"_a, "Elokuu", "Syyskuu", "Lokakuu", "Marraskuu", "Joulukuu"};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(FormatDateTime("mmmm", EncodeDate(2026, month, 1)), months[month - 1]) << month;
}

} // namespace
