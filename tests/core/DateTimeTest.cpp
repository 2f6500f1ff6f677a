// Dates: calendar arithmetic, the format grammar with the program's Finnish names, parsing, the
// settable clock and local time (the tests run with TZ=Europe/Helsinki).
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "support/ZoneFixed.h"
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace {

class Dates : public ::testing::Test {
protected:
    void TearDown() override
    {
        FormatSettings() = FSaved;
        ClockUseSystem();
    }

    // What the program sets at start-up.
    static void UseFinnishNames()
    {
        const char* months[] = {"Tammikuu", "Helmikuu", "Maaliskuu", "Huhtikuu", "Toukokuu", "Kesäkuu",
                                "Heinäkuu", "Elokuu", "Syyskuu", "Lokakuu", "Marraskuu", "Joulukuu"};
        const char* days[] = {"Sunnuntai", "Maanantai", "Tiistai", "Keskiviikko", "Torstai", "Perjantai", "Lauantai"};
        for (int i = 0; i < 12; ++i)
            FormatSettings().LongMonthNames[i + 1] = cp1252::FromUtf8(months[i]);
        for (int i = 0; i < 7; ++i)
            FormatSettings().LongDayNames[i + 1] = days[i];
    }

    static TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
    {
        return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
    }

    TFormatSettings FSaved = FormatSettings();
};

} // namespace

TEST_F(Dates, EncodeAndDecodeAgree)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_THROW(EncodeDate(0, 12, 31), EConvertError);
    for (TDateTime day : {-693593.0, -1.0, 0.0, 36585.0, 46064.0, 2958465.0}) {
        int y = 0, m = 0, d = 0;
        DecodeDate(day, y, m, d);
        EXPECT_EQ(EncodeDate(y, m, d), day);
    }
    int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(EncodeDate(2000, 2, 29), y, m, d);
    EXPECT_EQ((std::array<int, 3> {y, m, d}), (std::array<int, 3> {2000, 2, 29}));
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2001, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    DecodeTime(At(2026, 2, 11, 23, 59, 59, 999), h, mi, s, ms);
    EXPECT_EQ((std::array<int, 4> {h, mi, s, ms}), (std::array<int, 4> {23, 59, 59, 999}));
}

TEST_F(Dates, EveryFieldIsTakenUpToItsLimitAndRefusedPastIt)
{
    TDateTime value = 0;
    // Year, month and day at their first and last value, and one past.
    EXPECT_TRUE(TryEncodeDate(9999, 12, 31, value));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, value));
    EXPECT_FALSE(TryEncodeDate(2026, 0, 1, value));
    EXPECT_TRUE(TryEncodeDate(2026, 1, 31, value));
    EXPECT_FALSE(TryEncodeDate(2026, 1, 32, value));
    EXPECT_FALSE(TryEncodeDate(2026, 1, 0, value));
    EXPECT_TRUE(TryEncodeDate(2026, 4, 30, value));
    EXPECT_FALSE(TryEncodeDate(2026, 4, 31, value));
    // February by the leap rules: every fourth year, not every hundredth, every four hundredth.
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, value));
    EXPECT_FALSE(TryEncodeDate(2026, 2, 29, value));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, value));
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, value));
    EXPECT_EQ(DaysInMonth(2026, 12), 31);
    EXPECT_EQ(DaysInMonth(2026, 13), 0);
    EXPECT_EQ(DaysInMonth(2026, 0), 0);

    EXPECT_NO_THROW(EncodeTime(0, 0, 0, 0));
    EXPECT_NO_THROW(EncodeTime(23, 59, 59, 999));
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, -1, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, -1, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, -1), EConvertError);

    // Read from text: the last hour, minute and second of the day, and the next ones.
    EXPECT_TRUE(TryStrToTime("23:59:59", value));
    EXPECT_TRUE(TryStrToTime("0:00", value));
    EXPECT_FALSE(TryStrToTime("24:00", value));
    EXPECT_FALSE(TryStrToTime("23:60", value));
    EXPECT_FALSE(TryStrToTime("23:59:60", value));
    EXPECT_TRUE(TryStrToDate("31.12.9999", value));
    EXPECT_FALSE(TryStrToDate("1.1.10000", value));
    // Each number is four digits at most, leading zeros counted; '0' to '9' and nothing beside.
    ASSERT_TRUE(TryStrToDate("1.1.0999", value));
    EXPECT_EQ(value, EncodeDate(999, 1, 1));
    EXPECT_FALSE(TryStrToDate("1.1.02026", value));
    ASSERT_TRUE(TryStrToTime("0023:0059", value));
    EXPECT_EQ(value, EncodeTime(23, 59, 0, 0));
    EXPECT_FALSE(TryStrToTime("00023:00", value));
    EXPECT_FALSE(TryStrToTime("12:3:", value));
    EXPECT_FALSE(TryStrToTime("12:3/", value));
    EXPECT_FALSE(TryStrToDate("1.1.202/", value));
    EXPECT_FALSE(TryStrToDate("1.1.202:", value));
}

// The calendar's own tables: the length of every month, and the English names the formats use
// until the program sets its Finnish long names (the short names stay English).
TEST_F(Dates, EveryMonthHasItsLengthAndEveryMonthAndWeekdayItsName)
{
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const char* months[] = {"Jan January",   "Feb February", "Mar March",    "Apr April",
                            "May May",       "Jun June",     "Jul July",     "Aug August",
                            "Sep September", "Oct October",  "Nov November", "Dec December"};
    FormatSettings() = TFormatSettings();
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(DaysInMonth(2026, month), lengths[month - 1]) << "month " << month;
        EXPECT_EQ(DaysInMonth(2024, month), month == 2 ? 29 : lengths[month - 1]) << "month " << month;
        EXPECT_EQ(FormatDateTime("mmm mmmm", At(2026, month, 1)), months[month - 1]);
    }
    // 8 February 2026 is a Sunday.
    const char* days[] = {"Sun Sunday",     "Mon Monday", "Tue Tuesday", "Wed Wednesday",
                          "Thu Thursday",   "Fri Friday", "Sat Saturday"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(FormatDateTime("ddd dddd", At(2026, 2, 8 + day)), days[day]);
}

TEST_F(Dates, RoundToTheMillisecondBeforeSplitting)
{
    // A hair before midnight is midnight, on the next day.
    TDateTime almost = EncodeDate(2026, 2, 11) + 0.9999999999;
    int y = 0, m = 0, d = 0;
    DecodeDate(almost, y, m, d);
    EXPECT_EQ(d, 12);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", almost), "00:00:00.000");
    // Before 1899 the time of day still counts forwards: -1.25 is 29.12.1899 06:00.
    EXPECT_EQ(FormatDateTime("d.m.yyyy hh:nn", -1.25), "29.12.1899 06:00");
}

TEST_F(Dates, WeekdaysStartOnSunday)
{
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 2, 8)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 2, 11)), 4); // Wednesday
    EXPECT_EQ(DayOfWeek(EncodeDate(2001, 9, 3)), 2);  // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);
    EXPECT_EQ(IncDay(EncodeDate(2000, 12, 31), 1), EncodeDate(2001, 1, 1));
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
}

TEST_F(Dates, LongDateWithFinnishNamesAndLiteral)
{
    UseFinnishNames();
    EXPECT_EQ(FormatDateTime("dddd d. mmmm\"ta\" yyyy", EncodeDate(2026, 2, 11)),
              "Keskiviikko 11. Helmikuuta 2026");
    EXPECT_EQ(FormatDateTime("dddd d. mmmm\"ta\" yyyy", EncodeDate(2026, 7, 5)),
              "Sunnuntai 5. Heinäkuuta 2026"_a);
}

TEST_F(Dates, MinutesAfterHoursAndOtherTokens)
{
    TDateTime t = At(2026, 3, 4, 7, 8, 9, 5);
    EXPECT_EQ(FormatDateTime("yyyymmdd", t), "20260304");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "07:08");
    EXPECT_EQ(FormatDateTime("h:m:s", t), "7:8:9");
    EXPECT_EQ(FormatDateTime("mm", t), "03");
    EXPECT_EQ(FormatDateTime("hh mm", t), "07 08");
    EXPECT_EQ(FormatDateTime("d/m/yy", t), "4.3.26");
    EXPECT_EQ(FormatDateTime("zzz", t), "005");
    EXPECT_EQ(FormatDateTime("ddd mmm", t), "Wed Mar");
    EXPECT_EQ(FormatDateTime("'d' \"m\" x", t), "d m x");
    EXPECT_EQ(FormatDateTime("\"unclosed", t), "unclosed");
    EXPECT_EQ(FormatDateTime("", t), "");
    FormatSettings().TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("hh:nn", t), "07.08");
}

TEST_F(Dates, TwelveHourClockAndNestedFormats)
{
    EXPECT_EQ(FormatDateTime("h:nn am/pm", At(2026, 1, 1, 0, 5)), "12:05 am");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", At(2026, 1, 1, 13, 5)), "1:05 PM");
    EXPECT_EQ(FormatDateTime("h a/p", At(2026, 1, 1, 12)), "12 p");
    EXPECT_EQ(FormatDateTime("hh", At(2026, 1, 1, 13)), "13");
    EXPECT_EQ(FormatDateTime("c", At(2026, 2, 11)), "11.2.2026");
    EXPECT_EQ(FormatDateTime("c", At(2026, 2, 11, 9, 30)), "11.2.2026 09:30:00");
    EXPECT_EQ(FormatDateTime("ddddd t", At(2026, 2, 11, 9, 30)), "11.2.2026 09:30");
    EXPECT_EQ(DateToStr(At(2026, 2, 11, 9, 30)), "11.2.2026");
    EXPECT_EQ(TimeToStr(At(2026, 2, 11, 9, 30)), "09:30:00");
    EXPECT_EQ(DateTimeToStr(At(2026, 2, 11, 9, 30)), "11.2.2026 09:30:00");
    EXPECT_EQ(DateTimeToStr(At(2026, 2, 11)), "11.2.2026") << "midnight shows the date alone";
}

TEST_F(Dates, ParsesDayMonthYearAndTimes)
{
    EXPECT_EQ(StrToDate("11.2.2026"), EncodeDate(2026, 2, 11));
    EXPECT_EQ(StrToDate(" 1 . 02 . 2026 "), EncodeDate(2026, 2, 1));
    EXPECT_EQ(StrToDate("11.2.26"), EncodeDate(2026, 2, 11));
    EXPECT_EQ(StrToTime("9:05"), EncodeTime(9, 5, 0, 0));
    EXPECT_EQ(StrToTime("23:59:59"), EncodeTime(23, 59, 59, 0));
    EXPECT_EQ(StrToDateTime("11.2.2026 21:30"), At(2026, 2, 11, 21, 30));
    EXPECT_EQ(StrToDateTime("11.2.2026"), EncodeDate(2026, 2, 11));
    EXPECT_EQ(StrToDateTime("21:30"), EncodeTime(21, 30, 0, 0));
}

TEST_F(Dates, MissingYearIsTheClocksYear)
{
    ClockSet(At(2030, 6, 1, 12));
    EXPECT_EQ(StrToDate("24.12"), EncodeDate(2030, 12, 24));
    EXPECT_EQ(StrToDate("24.12.2031."), EncodeDate(2031, 12, 24));
    EXPECT_THROW(StrToDate("24.12."), EConvertError);
    EXPECT_EQ(StrToDate("1.1.99"), EncodeDate(2099, 1, 1));
}

TEST_F(Dates, BadDatesAndTimesRaiseWithTheText)
{
    for (const char* bad : {"31.2.2026", "11.2.2026x", "", "11", "11-2-2026", "1.1.10000"}) {
        try {
            StrToDate(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "'" + AnsiString(bad) + "' is not a valid date");
        }
    }
    for (const char* bad : {"24:00", "12:60", "12:", "ab", "12:30:61"})
        EXPECT_THROW(StrToTime(bad), EConvertError) << bad;
    try {
        StrToDateTime("11.2.2026 25:00");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'11.2.2026 25:00' is not a valid date and time");
    }
    TDateTime unchanged = 5;
    EXPECT_FALSE(TryStrToDate("x", unchanged));
    EXPECT_EQ(unchanged, 5);
}

TEST_F(Dates, ClockIsExactToTheMillisecond)
{
    ClockSet(At(2026, 2, 11, 10, 0, 0));
    EXPECT_TRUE(ClockIsFixed());
    for (int i = 0; i < 1000; ++i)
        ClockAdvance(1);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Now()), "10:00:01.000");
    ClockAdvance(-2000);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Now()), "09:59:59.000");
    EXPECT_EQ(Date(), EncodeDate(2026, 2, 11));
    EXPECT_EQ(FormatDateTime("hh:nn", Time()), "09:59");
    ClockUseSystem();
    EXPECT_FALSE(ClockIsFixed());
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST_F(Dates, UnixSecondsAreLocalHelsinkiTime)
{
    ZoneFixed zone("Europe/Helsinki");
    // 11.2.2026 08:00 UTC is 10:00 in winter; 1.7.2026 09:00 UTC is 12:00 in summer.
    EXPECT_EQ(FormatDateTime("c", UnixToDateTime(1770796800)), "11.2.2026 10:00:00");
    EXPECT_EQ(FormatDateTime("c", UnixToDateTime(1782896400)), "1.7.2026 12:00:00");
    EXPECT_EQ(DateTimeToUnix(At(2026, 7, 1, 12)), 1782896400);
    EXPECT_EQ(DateTimeToUnix(UnixToDateTime(1770796800)), 1770796800);
}

// Finland leaves winter time at 29.3.2026 01:00 UTC (03:00 becomes 04:00) and returns at
// 25.10.2026 01:00 UTC (04:00 becomes 03:00 again).
TEST_F(Dates, LocalTimesOfTheChangedHoursTakeOneFixedReading)
{
    ZoneFixed zone("Europe/Helsinki");
    const std::int64_t springChange = 1774746000;  // 29.3.2026 01:00 UTC
    EXPECT_EQ(DateTimeToUnix(At(2026, 3, 29, 2, 59, 59)), springChange - 1);
    EXPECT_EQ(DateTimeToUnix(At(2026, 3, 29, 4)), springChange);
    // The skipped 03:30 is read with the winter offset: half an hour past the change.
    EXPECT_EQ(DateTimeToUnix(At(2026, 3, 29, 3, 30)), springChange + 1800);

    const std::int64_t autumnChange = 1792890000;  // 25.10.2026 01:00 UTC
    // The repeated 03:30 is its first occurrence, in summer time.
    EXPECT_EQ(DateTimeToUnix(At(2026, 10, 25, 3, 30)), autumnChange - 1800);
    EXPECT_EQ(DateTimeToUnix(At(2026, 10, 25, 3, 59, 59)), autumnChange - 1);
    EXPECT_EQ(DateTimeToUnix(At(2026, 10, 25, 4)), autumnChange + 3600);
    for (std::int64_t moment : {springChange - 1, springChange, autumnChange + 3600})
        EXPECT_EQ(DateTimeToUnix(UnixToDateTime(moment)), moment) << moment;
}

TEST_F(Dates, TheClockRunsEvenlyThroughTheChanges)
{
    ZoneFixed zone("Europe/Helsinki");
    ClockSet(At(2026, 3, 29, 2, 59, 59, 500));
    const std::int64_t before = ClockNowUnixMs();
    ClockAdvance(1000);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Now()), "04:00:00.500");
    EXPECT_EQ(ClockNowUnixMs() - before, 1000);

    // Through the repeated hour: the local clock shows 03:59:59 twice.
    ClockSetUnixMs(1792890000000 - 1000);
    EXPECT_EQ(FormatDateTime("hh:nn:ss", Now()), "03:59:59");
    ClockAdvance(3600 * 1000);
    EXPECT_EQ(FormatDateTime("d.m.yyyy hh:nn:ss", Now()), "25.10.2026 03:59:59");
    ClockAdvance(1000);
    EXPECT_EQ(FormatDateTime("hh:nn:ss", Now()), "04:00:00");
}
