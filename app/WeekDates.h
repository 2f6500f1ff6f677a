// The calendar of the day bar and the day menu: the dates of this week and the next, the week
// tabs' captions, the TV day shown at start-up and the long date of the window caption.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"

// The date of the TV day of `now`: before 05:00 it is still yesterday.
TDateTime TvDay(TDateTime now);

// Monday of the week that holds the TV day of `now` (on a Sunday the week that ends that day).
TDateTime TvWeekMonday(TDateTime now);

// Fifteen dates "d.m.yyyy": entry 0 the Sunday before, 1 to 7 Monday to Sunday of this week
// (on a Sunday the week that ends that day), 8 to 14 the next week. Follows the TV day of `now`,
// so in the hours after midnight the day shown and its week agree.
void FillWeekDates(TDateTime now, TStrings& weekDates);

// "Viikko 7  (9.2 - 15.2)": the week number and the first and last date without ".yyyy".
AnsiString WeekTabCaption(int weekNumber, const AnsiString& firstDate, const AnsiString& lastDate);

// The TV day of `now` as "d.m.yyyy": before 05:00 it is still yesterday's.
AnsiString CurrentTvDateText(TDateTime now);

// "Keskiviikko 11. Helmikuuta 2026": a date "d.m.yyyy" with the Finnish day and month names.
AnsiString LongShownDate(const AnsiString& dateText);
