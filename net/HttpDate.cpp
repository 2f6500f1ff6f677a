#include "net/HttpDate.h"
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"
#include <cstdio>

AnsiString RFC1123_Date(TDateTime value)
{
    static constexpr char kDays[] = "MonTueWedThuFriSatSun";
    static constexpr char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    // Floor modulo: dates before 1900 are negative and must still name a weekday.
    std::int64_t days = Trunc(value) - 2;
    std::int64_t weekday = ((days % 7) + 7) % 7;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
    if (month < 1 || month > 12)
        month = 1;
    char text[64];
    std::snprintf(text, sizeof text, "%.3s, %2.2d %.3s %4.4d %2.2d:%2.2d:%2.2d", kDays + weekday * 3, day,
                  kMonths + (month - 1) * 3, year, hour, minute, second);
    return text;
}
