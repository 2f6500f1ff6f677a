// TDateTime: days since 30.12.1899 as a double, time of day in the fraction.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Clock.h"
#include <array>
#include <cstdint>

struct TFormatSettings {
    char DateSeparator = '.';
    char TimeSeparator = ':';
    AnsiString ShortDateFormat = "d.m.yyyy";
    AnsiString LongDateFormat = "dddd, mmmm d, yyyy";
    AnsiString ShortTimeFormat = "hh:nn";
    AnsiString LongTimeFormat = "hh:nn:ss";
    AnsiString TimeAMString = "AM";
    AnsiString TimePMString = "PM";
    // The Finnish locale's, for StrToFloat and FloatToStr.
    char DecimalSeparator = ',';
    // Index 1..12 / 1..7 (1 = Sunday) as in the class library; index 0 unused. English until
    // the program sets its own.
    std::array<AnsiString, 13> ShortMonthNames;
    std::array<AnsiString, 13> LongMonthNames;
    std::array<AnsiString, 8> ShortDayNames;
    std::array<AnsiString, 8> LongDayNames;
    TFormatSettings();
};
TFormatSettings& FormatSettings();

TDateTime Now();
TDateTime Date();
TDateTime Time();

// Raise EConvertError on an impossible date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& millisecond);
int DayOfWeek(TDateTime dt); // Sunday = 1 .. Saturday = 7
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
TDateTime IncDay(TDateTime dt, int days);
TDateTime DateOf(TDateTime dt);
TDateTime TimeOf(TDateTime dt);

// The class library's grammar: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes after h/hh),
// yy yyyy, h hh, n nn, s ss, z zzz, t tt, am/pm, c, '/' and ':' as the separators,
// "..." and '...' literals.
AnsiString FormatDateTime(const AnsiString& format, TDateTime dt);
AnsiString DateToStr(TDateTime dt);
AnsiString TimeToStr(TDateTime dt);
AnsiString DateTimeToStr(TDateTime dt);

// Day, month and year in the order of ShortDateFormat, separated by DateSeparator; a missing
// year is the current one, a two-digit year lies in the current century. Times as h[:n[:s]].
// Blanks may surround the numbers. Raise EConvertError "'<s>' is not a valid date" (time,
// date and time).
TDateTime StrToDate(const AnsiString& s);
TDateTime StrToTime(const AnsiString& s);
TDateTime StrToDateTime(const AnsiString& s);
bool TryStrToDate(const AnsiString& s, TDateTime& value);
bool TryStrToTime(const AnsiString& s, TDateTime& value);
bool TryStrToDateTime(const AnsiString& s, TDateTime& value);

// Unix seconds <-> TDateTime in local time, by the zone rules of TZ. Compare and subtract
// absolute moments, never local readings: those jump at daylight-saving changes.
TDateTime UnixToDateTime(std::int64_t seconds);
// A local time in the hour a change repeats is read as its first occurrence (summer time); one in
// the hour a change skips is read with the winter offset, so 03:30 on the Finnish spring day is
// 04:30 summer time. Milliseconds are dropped.
std::int64_t DateTimeToUnix(TDateTime dt);
