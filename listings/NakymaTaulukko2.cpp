#include "listings/HtmlMarks.h"
#include "listings/ListingGrid.h"
#include "listings/NakymaTaulukko.h"
#include "listings/ProgrammeLine.h"
#include "listings/TablePage.h"

const std::array<TimeBand, 7> TimeBands = {
    {{0, 900}, {900, 1200}, {1200, 1500}, {1500, 1800}, {1800, 2100}, {2100, 3000}, {3000, 4000}}};

namespace {

bool InBand(const TimeBand& band, int time)
{
    return time >= 0 && band.start <= time && time < band.end;
}

// One programme of a band: its time (the FONT element is left open there), its linked title and,
// in the wide view, its description in a second inner row.
void AddBandProgramme(const TStringGrid& grid, int column, int row, bool wide, bool cellsHaveTime, TStrings& page)
{
    const AnsiString cell = grid.Cells(column, row);
    const AnsiString title = cellsHaveTime ? CharactersFrom(cell, 7) : cell;
    page.Add("    <TR>");
    page.Add("      " + StartTag("TD", {{"WIDTH", "35"}, {"VALIGN", "TOP"}}) + SmallFontTag() + "<B>" +
             UnshiftHour(grid.Cells(0, row)) + "&nbsp</B></TD>");
    page.Add("      " + StartTag("TD", {{"VALIGN", "TOP"}}) + StartTag("A", {{"HREF", ProgrammeLink(column, row)}}) +
             SmallFontTag() + "<B>" + title + "</B></FONT></A></TD>");
    page.Add("    </TR>");
    if (!wide)
        return;
    page.Add("    <TR>");
    page.Add("       <TD WIDTH=35 VALIGN=\"TOP\"></TD>");
    page.Add("       " + StartTag("TD", {{"VALIGN", "TOP"}}) + SmallFontTag() +
             grid.Cells(grid.ColCount() - 1 + column, row) + "</FONT></TD>");
    page.Add("    </TR>");
}

void AddBandCell(const TStringGrid& grid, const TimeBand& band, int column, bool wide, bool cellsHaveTime,
                 TStrings& page)
{
    page.Add("  " + StartTag("TD", {{"VALIGN", "TOP"}, {"WIDTH", "20%"}, {"BGCOLOR", "#FFFFFF"}}));
    page.Add("  " + StartTag("TABLE", {{"WIDTH", "100%"}, {"BORDER", "0"}, {"CELLSPACING", "0"}, {"CELLPADDING", "1"}}));
    for (int r = 1; r < grid.RowCount(); ++r)
        if (!grid.Cells(column, r).empty() && InBand(band, MarkedTimeValue(grid.Cells(0, r))))
            AddBandProgramme(grid, column, r, wide, cellsHaveTime, page);
    page.Add("  </TABLE>");
    page.Add("  </TD>");
}

} // namespace

int MarkedTimeValue(const AnsiString& time)
{
    if (time.size() < 5 || time[2] != ':')
        return -1;
    int value = 0;
    for (int i : {0, 1, 3, 4}) {
        if (time[i] < '0' || time[i] > '9')
            return -1;
        value = value * 10 + (time[i] - '0');
    }
    return value;
}

void MakeTable2ViewPage(const TStringGrid& grid, bool wide, bool cellsHaveTime, TStrings& page)
{
    const int channels = grid.ColCount() - 1;
    const AnsiString width = channels > 0 ? ChannelColumnWidth(channels) : AnsiString();
    AddPageHead(page);
    page.Add("  <TR>");
    for (int c = 1; c <= channels; ++c)
        page.Add(ChannelHeaderCell(grid.Cells(c, 0), width));
    page.Add("  </TR>");
    // The band rows are left open, as the browser closes them at the next row.
    for (const TimeBand& band : TimeBands) {
        page.Add("  <TR>");
        for (int c = 1; c <= channels; ++c)
            AddBandCell(grid, band, c, wide, cellsHaveTime, page);
    }
    AddPageEnd(page);
}

TableView BuildTable2View(const TStrings& channels, bool wide, const AnsiString& currentDate,
                          const std::vector<AlarmKey>& alarms)
{
    TableView view;
    view.caption = OwnViewCaption(currentDate);
    std::vector<ChannelDay> days =
        LoadViewDays(channels, currentDate, MissingDay{"04:00 Tiedot puuttuvat", "Tiedot puuttuvat"}, DayText::AsPageText);
    view.grid = NewListingGrid(days, SortedStartTimes(days));

    MarkTableDays(days, alarms, currentDate, true);
    const int start = TableCellStart();
    FillProgrammeCells(*view.grid, days, start);
    MakeTable2ViewPage(*view.grid, wide, start == 1, view.page);
    return view;
}
