#include "app/WeekDates.h"
#include "platform/core/SysUtils.h"

TDateTime TvDay(TDateTime now)
{
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(now, hour, minute, second, ms);
    return DateOf(hour < 5 ? IncDay(now, -1) : now);
}

TDateTime TvWeekMonday(TDateTime now)
{
    const TDateTime day = TvDay(now);
    const int sundayFirst = DayOfWeek(day); // Sunday = 1
    return day - (sundayFirst == 1 ? 6 : sundayFirst - 2);
}

void FillWeekDates(TDateTime now, TStrings& weekDates)
{
    const TDateTime monday = TvWeekMonday(now);
    weekDates.Clear();
    for (int i = 0; i < 15; ++i)
        weekDates.Add(FormatDateTime("d.m.yyyy", monday + i - 1));
}

AnsiString WeekTabCaption(int weekNumber, const AnsiString& firstDate, const AnsiString& lastDate)
{
    auto withoutYear = [](const AnsiString& date) {
        return date.size() > 5 ? date.substr(0, date.size() - 5) : AnsiString();
    };
    return "Viikko " + IntToStr(weekNumber) + "  (" + withoutYear(firstDate) + " - " + withoutYear(lastDate) + ")";
}

AnsiString CurrentTvDateText(TDateTime now)
{
    return FormatDateTime("d.m.yyyy", TvDay(now));
}

AnsiString LongShownDate(const AnsiString& dateText)
{
    TDateTime date = 0;
    if (!TryStrToDate(dateText, date))
        return dateText;
    return FormatDateTime("dddd d. mmmm\"ta\" yyyy", date);
}
