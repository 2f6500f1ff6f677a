// Feeds arbitrary day texts (as listing files deliver them) and arbitrary colouring and view
// entries to the now-on-air search, the marks and every own view's grid and page: nothing may
// crash, hang or read outside a line, the table pages hold no element but their own, and page
// text reads back as the text it was made of.
//   bytes 0-1: the clock's hour and minute; then pieces separated by 0xFF: first the settings
//   entry, then up to three channels' day texts.
#include "listings/HtmlMarks.h"
#include "listings/HtmlText.h"
#include "listings/ListingGrid.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"
#include "listings/NowOnAir.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"
#include <cstdint>
#include <set>
#include <string>
#include <vector>
#include "FuzzCheck.h"

namespace {

std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size && pieces.size() <= 4; ++i) {
        if (data[i] == 0xFF)
            pieces.emplace_back();
        else
            pieces.back() += static_cast<char>(data[i]);
    }
    return pieces;
}

void SearchNowOnAir(const TStrings& day)
{
    NowOnAirOfDay(day, false, false);
    NowOnAirOfDay(day, true, false);
    NowOnAirOfDay(day, true, true);
    NowOnAirOfDay(day, false, true);
}

// Every '<' of the page begins one of the elements the page generators write.
void CheckOwnElementsOnly(const TStrings& page)
{
    static const std::set<std::string> own = {"!DOCTYPE", "HTML", "/HTML", "HEAD", "/HEAD", "TITLE", "/TITLE",
                                              "STYLE", "/STYLE", "BODY", "/BODY", "TABLE", "/TABLE", "TR", "/TR",
                                              "TD", "/TD", "FONT", "/FONT", "B", "/B", "BR", "A", "/A"};
    for (int i = 0; i < page.Count(); ++i) {
        const AnsiString line = page[i];
        for (std::size_t at = line.find('<'); at != AnsiString::npos; at = line.find('<', at + 1)) {
            const std::size_t end = line.find_first_of(" >", at + 1);
            Check(end != AnsiString::npos && own.count(line.substr(at + 1, end - at - 1)) == 1);
        }
    }
}

void BuildPages(const std::vector<ChannelDay>& days, const std::vector<ColouringEntry>& colourings,
                const std::vector<AlarmKey>& alarms)
{
    const AlarmMatcher matcher(alarms, "11.2.2026");
    std::vector<ChannelDay> tableDays = days;
    std::vector<ChannelDay> nestedDays = days;
    for (std::size_t d = 0; d < days.size(); ++d) {
        WriteAsPageText(tableDays[d]);
        WriteAsPageText(nestedDays[d]);
        for (int i = 0; i < days[d].programmes.Count(); ++i)
            Check(HtmlUnescape(tableDays[d].programmes[i]) == days[d].programmes[i]);
        ApplyColouringsHtml2(nestedDays[d].programmes, nestedDays[d].descriptions, colourings);
        HighlightAlarmsHtml(nestedDays[d].programmes, matcher, "#FF0000");
        ApplyColouringsHtml(tableDays[d].programmes, tableDays[d].descriptions, colourings);
        HighlightAlarmsHtml(tableDays[d].programmes, matcher, "#FF0000");
    }
    auto nestedGrid = NewListingGrid(nestedDays, SortedStartTimes(nestedDays));
    FillProgrammeCells(*nestedGrid, nestedDays, 1);
    TStringList page;
    MakeTable2ViewPage(*nestedGrid, true, true, page);
    CheckOwnElementsOnly(page);
    auto tableGrid = NewListingGrid(tableDays, SortedStartTimes(tableDays));
    FillProgrammeCells(*tableGrid, tableDays, 1);
    UnmarkTimeColumn(*tableGrid);
    page.Clear();
    MakeTableViewPage(*tableGrid, true, page);
    CheckOwnElementsOnly(page);

    auto grid = NewListingGrid(days, SortedStartTimes(days));
    FillProgrammeCells(*grid, days, 7);
    UnmarkTimeColumn(*grid);
    TStringList items, descriptions;
    MakeTimelineItems(*grid, items, descriptions);
    const TStringList unmarked = items;
    ApplyColourings(items, descriptions, RowLayout::Timeline, colourings);
    MarkAlarmedProgrammesTimeline(items, alarms, "11.2.2026");
    // Marks go only in front: the text of every row reads as it did, whatever the titles hold.
    for (int i = 0; i < items.Count(); ++i)
        Check(RowText(items[i], RowLayout::Timeline) == RowText(unmarked[i], RowLayout::Timeline));
    RemovePastProgrammes(items, descriptions);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(data[0] % 24, data[1] % 60, 0, 0));
    std::vector<std::string> pieces = Pieces(data + 2, size - 2);

    const std::string& entry = pieces[0];
    std::vector<ColouringEntry> colourings = {ParseColouringEntry(entry)};
    ParseViewEntry(entry);
    ViewEntryCaption(entry);
    ChannelListOf(entry);

    std::vector<ChannelDay> days;
    std::vector<AlarmKey> alarms;
    for (std::size_t p = 1; p < pieces.size(); ++p) {
        TStringList lines;
        lines.SetText(pieces[p] + "\r\n\r\n");
        SearchNowOnAir(lines);
        ChannelDay& day = days.emplace_back();
        // The first channel's name is the settings entry: names come from the settings file.
        day.channel = p == 1 ? AnsiString(entry) : "TV" + std::to_string(p);
        SplitDayLines(lines, day.programmes, day.descriptions);
        MarkLateNight(day.programmes);
        for (int i = 0; i < lines.Count(); ++i)
            alarms.push_back(AlarmKeyOfRow(lines[i], lines[i].substr(0, 5), lines[i].size() > 6 ? lines[i].substr(6) : ""));
    }
    BuildPages(days, colourings, alarms);
    return 0;
}
