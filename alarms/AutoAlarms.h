// The automatic alarms' search: the stored listings of the enabled channels are searched for the
// keywords of "AutomaattisestiLisättävät" (section "Hälytys"), from tomorrow on, and every
// programme found is offered as an alarm. No window is needed here; the main window asks and adds.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <cstdint>
#include <vector>

// A programme found by a keyword, with its alarm row's fields.
struct AutoAlarmCandidate {
    AnsiString Caption;      // "d.m.yyyy (XX)"
    AnsiString DateText;     // the calendar start "d.m.yyyy"
    AnsiString Channel;
    AnsiString Time;         // "hh:nn"
    AnsiString Title;        // the programme line from its 7th character on
    AnsiString Description;  // the line after the programme line
    AnsiString Line;         // the programme line as stored
};

// "LisääAutomaattisesti" is "1" and the keyword list holds more than two characters.
bool AutoAlarmsSwitchedOn();
// The ';'-ended keywords in order; text after the last ';' and empty keywords are left out.
std::vector<AnsiString> AutoAlarmKeywords();
// "LisääAutomaattisestiVarmista" (default "1") is "1".
bool AutoAlarmsAskFirst();

// The calendar date of a record key; false when it does not name one.
bool RecordDate(std::int32_t key, TDateTime& date);

// The programmes of one day's text that hold a keyword (case-sensitively, in the programme line
// + " " + its description), in keyword order and each programme once. A line whose time can't be
// read is skipped.
std::vector<AutoAlarmCandidate> CandidatesOfDay(const AnsiString& channel, TDateTime date, const AnsiString& dayText,
                                                const std::vector<AnsiString>& keywords);
// Every candidate of the data folder's listing files, files in name order: only channels that
// are whole elements of the enabled channel list, only records dated after `now`'s day start.
// A file that can't be read is skipped.
std::vector<AutoAlarmCandidate> FindAutoAlarmCandidates(TDateTime now, const std::vector<AnsiString>& keywords);

// The status texts while searching and after it.
AnsiString AutoAlarmsSearchingText();
AnsiString AutoAlarmsDoneText(int added);
