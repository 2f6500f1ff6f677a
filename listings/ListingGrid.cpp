#include "listings/ListingGrid.h"
#include "listings/ChannelTable.h"
#include "listings/HtmlText.h"
#include "listings/ListingStore.h"
#include "listings/ProgrammeLine.h"
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"
#include <map>
#include <set>

void SplitDayLines(const TStrings& dayLines, TStrings& programmes, TStrings& descriptions)
{
    for (int i = 0; i < dayLines.Count(); i += 2) {
        const AnsiString line = dayLines[i];
        if (!IsViewProgrammeLine(line))
            continue;
        programmes.Add(line);
        descriptions.Add(i + 1 < dayLines.Count() ? dayLines[i + 1] : AnsiString());
    }
}

void MarkLateNight(TStrings& programmes)
{
    const std::int64_t half = Round(programmes.Count() / 2.0);
    for (int j = 0; j < programmes.Count(); ++j) {
        AnsiString line = programmes[j];
        if (j > half && !line.empty() && line[0] == '0') {
            line[0] = '3';
            programmes.Put(j, line);
        }
    }
}

std::vector<ChannelDay> LoadViewDays(const TStrings& channels, const AnsiString& currentDate,
                                     const std::optional<MissingDay>& missing, DayText form)
{
    std::vector<ChannelDay> days(static_cast<std::size_t>(channels.Count()));
    TStringList dayLines;
    for (int c = 0; c < channels.Count(); ++c) {
        ChannelDay& day = days[static_cast<std::size_t>(c)];
        day.channel = channels[c];
        dayLines.Clear();
        if (LoadDayListing(ChannelCode(day.channel), currentDate, dayLines)) {
            SplitDayLines(dayLines, day.programmes, day.descriptions);
            MarkLateNight(day.programmes);
            if (form == DayText::AsPageText)
                WriteAsPageText(day);
        } else if (missing) {
            day.programmes.Add(missing->programme);
            day.descriptions.Add(missing->description);
        }
    }
    return days;
}

void WriteAsPageText(ChannelDay& day)
{
    for (TStrings* lines : {static_cast<TStrings*>(&day.programmes), static_cast<TStrings*>(&day.descriptions)})
        for (int i = 0; i < lines->Count(); ++i)
            lines->Put(i, HtmlEscape((*lines)[i]));
}

TStringList SortedStartTimes(const std::vector<ChannelDay>& days)
{
    std::set<AnsiString> seen;
    TStringList times;
    for (const ChannelDay& day : days)
        for (int k = 0; k < day.programmes.Count(); ++k) {
            const AnsiString line = day.programmes[k];
            if (line.size() > 7 && seen.insert(line.substr(0, 5)).second)
                times.Add(line.substr(0, 5));
        }
    times.Sort();
    return times;
}

std::unique_ptr<TStringGrid> NewListingGrid(const std::vector<ChannelDay>& days, const TStringList& startTimes)
{
    auto grid = std::make_unique<TStringGrid>();
    grid->SetColCount(static_cast<int>(days.size()) + 1);
    grid->SetRowCount(startTimes.Count() + 1);
    for (std::size_t c = 0; c < days.size(); ++c)
        grid->SetCell(static_cast<int>(c) + 1, 0, days[c].channel);
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->SetCell(0, r, startTimes[r - 1].substr(0, 5));
    return grid;
}

void FillProgrammeCells(TStringGrid& grid, const std::vector<ChannelDay>& days, int start)
{
    std::map<AnsiString, int> rowOfTime;
    for (int r = 1; r < grid.RowCount(); ++r)
        rowOfTime.emplace(grid.Cells(0, r), r);
    const int descriptionColumn = grid.ColCount() - 1;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const ChannelDay& day = days[i];
        const int c = static_cast<int>(i) + 1;
        for (int k = 0; k < day.programmes.Count(); ++k) {
            const AnsiString line = day.programmes[k];
            auto row = rowOfTime.find(line.substr(0, 5));
            if (row == rowOfTime.end())
                continue;
            grid.SetCell(c, row->second, start == 1 ? UnshiftHour(line) : CharactersFrom(line, start));
            grid.SetCell(descriptionColumn + c, row->second, day.descriptions[k]);
        }
    }
}

void UnmarkTimeColumn(TStringGrid& grid)
{
    for (int r = 1; r < grid.RowCount(); ++r)
        grid.SetCell(0, r, UnshiftHour(grid.Cells(0, r).substr(0, 5)));
}

AnsiString ProgrammeLink(int column, int row)
{
    return "##&" + IntToStr(column) + "-" + IntToStr(row);
}

AnsiString OwnViewCaption(const AnsiString& currentDate)
{
    return "QEX 2000 - " + FormatDateTime("dddd d. mmmm\"ta\" yyyy", StrToDate(currentDate));
}
