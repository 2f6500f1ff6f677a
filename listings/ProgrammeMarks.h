// Marks on the programme lists: keyword colourings, the alarm colour and the removal of past
// programmes. The lists are the programme items and their descriptions (same index); a list
// box's Items work as well as a plain string list.
#pragma once
#include "listings/ProgrammeRow.h"
#include "listings/SettingEntries.h"
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <set>
#include <vector>

class KeywordColourings;

// What the marks need of one alarm row: the date (the caption up to its first blank), the start
// time "hh:nn" and the title.
struct AlarmKey {
    AnsiString date;
    AnsiString time;
    AnsiString title;
};
AlarmKey AlarmKeyOfRow(const AnsiString& caption, const AnsiString& time, const AnsiString& title);

// Whether a programme shown on `currentDate` has an alarm. A programme is keyed "hh:nn Title";
// an alarm for it carries the shown date, or the next calendar date when it starts from 00:00 to
// 05:59 (after midnight). The channel is not compared.
class AlarmMatcher {
public:
    AlarmMatcher(const std::vector<AlarmKey>& alarms, const AnsiString& currentDate);
    bool Matches(const AnsiString& programmeKey) const;

private:
    std::set<AnsiString> FKeys;
};

// The colour name of programmes that have an alarm ("HälytystenVäri" of section "Väritys").
AnsiString AlarmColourName();

// Puts the tag of the first matching colouring in front of each item that has no colour mark yet;
// an entry whose tag is no colour mark ("<c:name>") colours nothing.
// Keywords match case-sensitively in the item's listing text (without its marks, read as `layout`
// puts them, the channel a column mark names included) + " " + its description.
void ApplyColourings(TStrings& items, const TStrings& descriptions, RowLayout layout);
void ApplyColourings(TStrings& items, const TStrings& descriptions, RowLayout layout,
                     const std::vector<ColouringEntry>& colourings);
void ApplyColourings(TStrings& items, const TStrings& descriptions, RowLayout layout,
                     const KeywordColourings& colourings);

// Deletes every item before the one marked "<b>" (on air), and its description.
void RemovePastProgrammes(TStrings& items, TStrings& descriptions);

// Channel view items ("hh:nn Title"): an alarmed item becomes "<c:" + alarm colour + ">" + the
// item without marks.
void MarkAlarmedProgrammes(TStrings& items, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate);
// Time-line items ("hh:nn <w:Channel> Title"): the alarm tag goes in front of the whole item, so
// the channel mark and a keyword colour stay behind it.
void MarkAlarmedProgrammesTimeline(TStrings& items, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate);

// Whether the shown day's past programmes go: the shown day is today's weekday in this week
// (currentWeek 0) and "PoistaMenneetOhjelmat" of section "Muut" is "1".
bool PastProgrammesAreRemoved(int currentDayIndex, int currentWeek);
