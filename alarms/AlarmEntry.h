// What a new alarm row of a listed programme holds: its caption with the TV day's letters, its
// start moment, its description, the action string from the alarm settings, and whether a row
// already is the alarm of a programme.
#pragma once
#include "alarms/AlarmFile.h"

// "d.m.yyyy (XX)" of the calendar start; a programme from 00:00 to 04:59 belongs to the TV day
// before, whose letters it carries.
AnsiString AlarmCaption(TDateTime start);
// The start of a programme shown on TV day `tvDay` at `time` ("hh:nn"): from 00:00 to 04:59 it
// is the next calendar day. False when the time can't be read.
bool ProgrammeStart(TDateTime tvDay, const AnsiString& time, TDateTime& start);
// The description kept in the row: the title stands in for one shorter than three characters.
AnsiString AlarmDescription(const AnsiString& description, const AnsiString& title);

// A programme picked in the programme list, ready for its alarm row.
struct ListedProgramme {
    AnsiString Channel;
    AnsiString Time;   // "hh:nn"
    AnsiString Title;  // whole, without the row's marks and surrounding blanks
    TDateTime Start = 0;
};
// A line of the channel or time-line view shown for TV day `tvDay`: "hh:nn Title" with the list's
// marks. The channel is `shownChannel` when not empty (the channel view), else the time-line
// row's "<w:" mark. False when the time can't be read.
bool ProgrammeOfViewLine(const AnsiString& line, TDateTime tvDay, const AnsiString& shownChannel,
                         ListedProgramme& programme);
// A line of the search results: "dd.mm.yyyy (XX) " with the channel's "<w2:" mark, then
// "hh:nn Title"; the date is the programme's TV day. False when the date or time can't be read.
bool ProgrammeOfSearchLine(const AnsiString& line, ListedProgramme& programme);

// The action string of section "Hälytys" of the settings: notice type "Tyyppi", beeps
// "PCSpeakerKäytössä" / "PCSpeakerTimes", sound file "Ääni" and program "Ohjelma"; a key the
// file lacks counts as the settings dialog shows it (NewAlarmDefaults).
AnsiString DefaultAlarmActionString();

// Whether `row` is the alarm of this programme: the caption's date, the channel, the start time
// and the title each equal as a whole (the titles without what looks like tags and without
// surrounding blanks: every adder keeps the listing's title whole, but an alarm file from an
// older version may hold titles added from the lists without them), so that "7.12.2026" is not
// found in "17.12.2026" nor "Uutiset" in "Tv-uutiset".
bool HoldsProgramme(const AlarmRow& row, const AnsiString& dateText, const AnsiString& channel,
                    const AnsiString& time, const AnsiString& title);
bool AnyHoldsProgramme(const std::vector<AlarmRow>& rows, const AnsiString& dateText, const AnsiString& channel,
                       const AnsiString& time, const AnsiString& title);
