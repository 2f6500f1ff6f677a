#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include <cmath>
#include <ctime>

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;
// TDateTime of 1.1.1970, the Unix epoch.
constexpr std::int64_t kUnixEpochDay = 25569;

// Whole days and milliseconds of the day, rounded to the millisecond first as the class
// library does, so 0.9999999999 is the next midnight. Before 1899 the fraction still counts
// forwards from midnight: -1.25 is 29.12.1899 06:00.
void SplitDateTime(TDateTime dt, std::int64_t& days, std::int64_t& milliseconds)
{
    double scaled = std::nearbyint(dt * static_cast<double>(kMillisecondsPerDay));
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e18)
        throw EConvertError("Invalid date or time value");
    std::int64_t total = static_cast<std::int64_t>(scaled);
    days = total / kMillisecondsPerDay;
    milliseconds = total % kMillisecondsPerDay;
    if (milliseconds < 0)
        milliseconds = -milliseconds;
}

// Calendar date of a day counted from 1.1.1970 (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t DaysFromCivil(int year, int month, int day)
{
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

TFormatSettings::TFormatSettings()
{
    const char* shortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* longMonths[] = {"January", "February", "March", "April", "May", "June",
                                "July", "August", "September", "October", "November", "December"};
    const char* shortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* longDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i) {
        ShortMonthNames[i + 1] = shortMonths[i];
        LongMonthNames[i + 1] = longMonths[i];
    }
    for (int i = 0; i < 7; ++i) {
        ShortDayNames[i + 1] = shortDays[i];
        LongDayNames[i + 1] = longDays[i];
    }
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

TDateTime Now() { return ClockNow(); }
TDateTime Date() { return DateOf(ClockNow()); }
TDateTime Time() { return TimeOf(ClockNow()); }

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    result = static_cast<double>(DaysFromCivil(year, month, day) + kUnixEpochDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59
        || millisecond < 0 || millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / static_cast<double>(kMillisecondsPerDay);
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day)
{
    std::int64_t days = 0, milliseconds = 0;
    SplitDateTime(dt, days, milliseconds);
    CivilFromDays(days - kUnixEpochDay, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& millisecond)
{
    std::int64_t days = 0, ms = 0;
    SplitDateTime(dt, days, ms);
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    millisecond = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime dt)
{
    std::int64_t days = 0, milliseconds = 0;
    SplitDateTime(dt, days, milliseconds);
    // 30.12.1899, day 0, was a Saturday.
    std::int64_t fromSunday = ((days + 6) % 7 + 7) % 7;
    return static_cast<int>(fromSunday) + 1;
}

TDateTime IncDay(TDateTime dt, int days) { return dt + days; }
TDateTime DateOf(TDateTime dt) { return std::trunc(dt); }
TDateTime TimeOf(TDateTime dt) { return std::fabs(dt - std::trunc(dt)); }

TDateTime UnixToDateTime(std::int64_t seconds)
{
    time_t t = static_cast<time_t>(seconds);
    tm local {};
    if (!::localtime_r(&t, &local))
        return static_cast<double>(kUnixEpochDay) + seconds / 86400.0;
    std::int64_t days = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) + kUnixEpochDay;
    std::int64_t secondOfDay = (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
    return static_cast<double>(days) + secondOfDay / 86400.0;
}

namespace {

// The zone's offset from UTC, in seconds, at an absolute moment.
std::int64_t UtcOffsetAt(std::int64_t unixSeconds)
{
    time_t t = static_cast<time_t>(unixSeconds);
    tm local {};
    return ::localtime_r(&t, &local) ? local.tm_gmtoff : 0;
}

} // namespace

// A local time that a daylight-saving change repeats or skips is read with the offset in force
// before the change, unless only the offset after it gives a real reading.
std::int64_t DateTimeToUnix(TDateTime dt)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeDate(dt, year, month, day);
    DecodeTime(dt, hour, minute, second, millisecond);
    // The local reading counted as if it were UTC; the offsets a day either side bracket any change.
    const std::int64_t wall = DaysFromCivil(year, month, day) * 86400 + (hour * 60 + minute) * 60 + second;
    const std::int64_t before = UtcOffsetAt(wall - 86400);
    const std::int64_t after = UtcOffsetAt(wall + 86400);
    const std::int64_t early = wall - before;
    if (before == after || UtcOffsetAt(early) == before)
        return early;
    const std::int64_t late = wall - after;
    return UtcOffsetAt(late) == after ? late : early;
}
