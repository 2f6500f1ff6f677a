// Feeds arbitrary day texts (as listing files deliver them) and arbitrary colouring and view
// entries to the now-on-air search, the marks and every own view's grid and page: nothing may
// crash, hang or read outside a line.
//   bytes 0-1: the clock's hour and minute; then pieces separated by 0xFF: first the settings
//   entry, then up to three channels' day texts.
#include "listings/HtmlMarks.h"
#include "listings/ListingGrid.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"
#include "listings/NowOnAir.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"
#include <cstdint>
#include <string>
#include <vector>

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

void BuildPages(std::vector<ChannelDay>& days, const std::vector<ColouringEntry>& colourings,
                const std::vector<AlarmKey>& alarms)
{
    const AlarmMatcher matcher(alarms, "11.2.2026");
    for (ChannelDay& day : days) {
        TStringList nested;
        nested.Assign(day.programmes);
        ApplyColouringsHtml2(nested, day.descriptions, colourings);
        ApplyColouringsHtml(day.programmes, day.descriptions, colourings);
        HighlightAlarmsHtml(day.programmes, matcher, "#FF0000");
    }
    auto grid = NewListingGrid(days, SortedStartTimes(days));
    FillProgrammeCells(*grid, days, 1);
    TStringList page;
    MakeTable2ViewPage(*grid, true, true, page);
    FillProgrammeCells(*grid, days, 7);
    UnmarkTimeColumn(*grid);
    MakeTableViewPage(*grid, true, page);

    TStringList items, descriptions;
    MakeTimelineItems(*grid, items, descriptions);
    ApplyColourings(items, descriptions, colourings);
    MarkAlarmedProgrammesTimeline(items, alarms, "11.2.2026");
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
        day.channel = "TV" + std::to_string(p);
        SplitDayLines(lines, day.programmes, day.descriptions);
        MarkLateNight(day.programmes);
        for (int i = 0; i < lines.Count(); ++i)
            alarms.push_back(AlarmKeyOfRow(lines[i], lines[i].substr(0, 5), lines[i].size() > 6 ? lines[i].substr(6) : ""));
    }
    BuildPages(days, colourings, alarms);
    return 0;
}
