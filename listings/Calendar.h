// Calendar rules shared by every view: week numbers that name listing files, weekday numbers
// (Monday = 1) and the TV day that runs until 05:00 of the next calendar day.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <cstdint>

// Weeks begin on Sunday; 1 January is always in week 1; at most 54.
std::uint16_t WeekNumber(TDateTime date);
// The week of the file that holds `date`: WeekNumber, one less on a Sunday.
int ListingWeek(TDateTime date);
// ListingWeek as the two digits of the file's name.
AnsiString ListingWeekText(TDateTime date);
// Monday = 1 .. Sunday = 7; with lateNightShift and the clock's hour below 5, the day before.
int DayIndex(bool lateNightShift, TDateTime date);
AnsiString DayName(bool lateNightShift, TDateTime date);
// "MA" .. "SU" of the date's own weekday.
AnsiString DayAbbrev(TDateTime date);
// Finnish weekday name, Monday = 1 .. Sunday = 7.
AnsiString FinnishDayName(int dayIndex);
// Makes "dddd" and "mmmm" of FormatDateTime give the Finnish names ("Keskiviikko", "Helmikuu").
void SetFinnishDateNames();
