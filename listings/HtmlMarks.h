// Keyword colourings and the alarm colour in the HTML form of the table pages: a FONT element
// with the colour around the title of a programme line. The lines are page text (HtmlText.h);
// keywords and alarms are matched against the text they show.
#pragma once
#include "listings/ListingGrid.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <optional>
#include <vector>

// "#RRGGBB" of a colour name, nothing when the name is no colour.
std::optional<AnsiString> HtmlColourOf(const AnsiString& colourName);
// The alarm colour of the settings; its default red when the setting names no colour.
AnsiString AlarmColourHtml();

// "Taulukko" tables: each matching line is written anew from its text without tags, so the last
// matching keyword and colouring wins.
void ApplyColouringsHtml(TStrings& programmes, const TStrings& descriptions,
                         const std::vector<ColouringEntry>& colourings);
// "Taulukko 2" tables: matches nest, the first matching colour innermost (the one that shows).
void ApplyColouringsHtml2(TStrings& programmes, const TStrings& descriptions,
                          const std::vector<ColouringEntry>& colourings);

// Writes each alarmed line as time, blank and the title in the alarm colour; the first five
// characters (late-night marker included) stay in front so the line still finds its row.
void HighlightAlarmsHtml(TStrings& programmes, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate);
void HighlightAlarmsHtml(TStrings& programmes, const AlarmMatcher& alarms, const AnsiString& alarmColourHtml);

// The marks of a table view's days when colourings are switched on: the colourings of every
// channel (nested for "Taulukko 2"), found by the one look-up made per reading of the settings,
// then the alarm colour of every channel.
void MarkTableDays(std::vector<ChannelDay>& days, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate,
                   bool nested);
