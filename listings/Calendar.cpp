#include "listings/Calendar.h"
#include "platform/core/SysUtils.h"
#include <cmath>

namespace {

int WeekdayMondayFirst(TDateTime date)
{
    int sundayFirst = DayOfWeek(date); // Sunday = 1
    return sundayFirst == 1 ? 7 : sundayFirst - 1;
}

} // namespace

std::uint16_t WeekNumber(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    TDateTime firstOfYear = EncodeDate(year, 1, 1);
    int w = DayOfWeek(firstOfYear);
    int days = static_cast<int>(std::floor(date) - firstOfYear);
    return static_cast<std::uint16_t>((days + w - 1) / 7 + 1);
}

int ListingWeek(TDateTime date)
{
    const int week = WeekNumber(date);
    return DayAbbrev(date) == "SU" ? week - 1 : week;
}

AnsiString ListingWeekText(TDateTime date)
{
    AnsiString text = IntToStr(ListingWeek(date));
    return text.size() == 1 ? "0" + text : text;
}

AnsiString FinnishDayName(int dayIndex)
{
    static const AnsiString names[7] = {"Maanantai", "Tiistai", "Keskiviikko", "Torstai",
                                        "Perjantai", "Lauantai", "Sunnuntai"};
    if (dayIndex < 1 || dayIndex > 7)
        return AnsiString();
    return names[dayIndex - 1];
}

void SetFinnishDateNames()
{
    static const AnsiString months[] = {"Tammikuu", "Helmikuu", "Maaliskuu", "Huhtikuu", "Toukokuu", "Kesäkuu"_a,
                                        "Heinäkuu"_a, "Elokuu", "Syyskuu", "Lokakuu", "Marraskuu", "Joulukuu"};
    TFormatSettings& formats = FormatSettings();
    // The class library counts days from Sunday = 1.
    formats.LongDayNames[1] = FinnishDayName(7);
    for (int day = 1; day <= 6; ++day)
        formats.LongDayNames[static_cast<std::size_t>(day + 1)] = FinnishDayName(day);
    for (int month = 1; month <= 12; ++month)
        formats.LongMonthNames[static_cast<std::size_t>(month)] = months[month - 1];
}

int DayIndex(bool lateNightShift, TDateTime date)
{
    int index = WeekdayMondayFirst(date);
    if (lateNightShift) {
        int hour = 0, minute = 0, second = 0, ms = 0;
        DecodeTime(Now(), hour, minute, second, ms);
        if (hour < 5)
            index = index == 1 ? 7 : index - 1;
    }
    return index;
}

AnsiString DayName(bool lateNightShift, TDateTime date)
{
    return FinnishDayName(DayIndex(lateNightShift, date));
}

AnsiString DayAbbrev(TDateTime date)
{
    return UpperCase(FinnishDayName(WeekdayMondayFirst(date)).substr(0, 2));
}
