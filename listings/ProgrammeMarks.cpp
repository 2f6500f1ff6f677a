#include "listings/ProgrammeMarks.h"
#include "listings/Calendar.h"
#include "listings/KeywordColourings.h"
#include "listings/ProgrammeLine.h"
#include "listings/Settings.h"
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"

namespace {

// Programmes from 00:00 to 05:59 are the ones an alarm may date on the next calendar day.
bool StartsAfterMidnight(const AnsiString& time)
{
    return time.size() >= 2 && time[0] == '0' && time[1] >= '0' && time[1] <= '5';
}

AnsiString NextDateText(const AnsiString& dateText)
{
    TDateTime date = 0;
    return TryStrToDate(dateText, date) ? DateToStr(IncDay(date, 1)) : AnsiString();
}

AnsiString ItemDescription(const TStrings& descriptions, int index)
{
    return index < descriptions.Count() ? descriptions[index] : AnsiString();
}

} // namespace

AlarmKey AlarmKeyOfRow(const AnsiString& caption, const AnsiString& time, const AnsiString& title)
{
    return {caption.substr(0, caption.find(' ')), time, title};
}

AlarmMatcher::AlarmMatcher(const std::vector<AlarmKey>& alarms, const AnsiString& currentDate)
{
    const AnsiString nextDate = NextDateText(currentDate);
    for (const AlarmKey& alarm : alarms) {
        bool onShownDay = alarm.date == currentDate;
        bool afterMidnight = !nextDate.empty() && alarm.date == nextDate && StartsAfterMidnight(alarm.time);
        if (onShownDay || afterMidnight)
            FKeys.insert(alarm.time + " " + alarm.title);
    }
}

bool AlarmMatcher::Matches(const AnsiString& programmeKey) const
{
    return FKeys.count(programmeKey) != 0;
}

AnsiString AlarmColourName()
{
    return IniReadString("Väritys"_a, "HälytystenVäri"_a, "clred");
}

void ApplyColourings(TStrings& items, const TStrings& descriptions, RowLayout layout)
{
    ApplyColourings(items, descriptions, layout, *CurrentColourings());
}

void ApplyColourings(TStrings& items, const TStrings& descriptions, RowLayout layout,
                     const std::vector<ColouringEntry>& colourings)
{
    ApplyColourings(items, descriptions, layout, KeywordColourings(colourings));
}

// Once coloured, an item takes no other colouring, so each gets the first colouring one of whose
// keywords its text holds, found in one look-up.
void ApplyColourings(TStrings& items, const TStrings& descriptions, RowLayout layout,
                     const KeywordColourings& colourings)
{
    for (int i = 0; i < items.Count(); ++i) {
        const AnsiString item = items[i];
        const ProgrammeRow row = SplitProgrammeRow(item, layout);
        if (!row.colours.empty())
            continue;
        const int first = colourings.FirstMatch(row.ListingText() + " " + ItemDescription(descriptions, i));
        if (first >= 0)
            items.Put(i, colourings.Entries()[static_cast<std::size_t>(first)].tag + item);
    }
}

void RemovePastProgrammes(TStrings& items, TStrings& descriptions)
{
    int onAir = -1;
    for (int i = 0; i < items.Count() && onAir < 0; ++i)
        if (items[i].rfind(kOnAirMark, 0) == 0)
            onAir = i;
    for (int i = 0; i < onAir; ++i) {
        items.Delete(0);
        if (descriptions.Count() > 0)
            descriptions.Delete(0);
    }
}

void MarkAlarmedProgrammes(TStrings& items, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate)
{
    const AlarmMatcher matcher(alarms, currentDate);
    const AnsiString tag = "<c:" + AlarmColourName() + ">";
    for (int i = 0; i < items.Count(); ++i) {
        const AnsiString plain = RowText(items[i], RowLayout::Channel);
        if (matcher.Matches(Copy(plain, 1, 5) + " " + CharactersFrom(plain, 7)))
            items.Put(i, tag + plain);
    }
}

void MarkAlarmedProgrammesTimeline(TStrings& items, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate)
{
    const AlarmMatcher matcher(alarms, currentDate);
    const AnsiString tag = "<c:" + AlarmColourName() + ">";
    for (int i = 0; i < items.Count(); ++i) {
        // Without marks a time-line item reads time, two blanks and the title.
        const AnsiString plain = RowText(items[i], RowLayout::Timeline);
        if (matcher.Matches(Copy(plain, 1, 5) + " " + CharactersFrom(plain, 8)))
            items.Put(i, tag + items[i]);
    }
}

bool PastProgrammesAreRemoved(int currentDayIndex, int currentWeek)
{
    return DayIndex(false, Now()) == currentDayIndex && currentWeek == 0 &&
           IniReadString("Muut", "PoistaMenneetOhjelmat", "0") == "1";
}
