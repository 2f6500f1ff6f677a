#include "app/WeekDates.h"
#include "platform/core/SysUtils.h"

void FillWeekDates(TDateTime now, TStrings& weekDates)
{
    const TDateTime today = DateOf(now);
    const int weekday = DayOfWeek(today); // Sunday = 1
    const int sundayShift = weekday == 1 ? 7 : 0;
    weekDates.Clear();
    for (int i = 0; i < 15; ++i)
        weekDates.Add(FormatDateTime("d.m.yyyy", today - sundayShift - weekday + i + 1));
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
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(now, hour, minute, second, ms);
    return FormatDateTime("d.m.yyyy", hour < 5 ? IncDay(now, -1) : now);
}

AnsiString LongShownDate(const AnsiString& dateText)
{
    TDateTime date = 0;
    if (!TryStrToDate(dateText, date))
        return dateText;
    return FormatDateTime("dddd d. mmmm\"ta\" yyyy", date);
}
