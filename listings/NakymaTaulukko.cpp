#include "listings/NakymaTaulukko.h"
#include "listings/HtmlMarks.h"
#include "listings/ListingGrid.h"
#include "listings/Settings.h"
#include "listings/TablePage.h"
#include "platform/core/SysUtils.h"

namespace {

// First row below `row` with a programme in `column`, or the row count when none follows: the
// cell of `row` spans down to it. An empty column spans the rest of the table from row 1.
int NextFilledRow(const TStringGrid& grid, int column, int row)
{
    int next = row + 1;
    while (next < grid.RowCount() && grid.Cells(column, next).empty())
        ++next;
    return next;
}

AnsiString TimeCell(const AnsiString& time, const char* align, const char* valign)
{
    return "    " + StartTag("TD", {{"BGCOLOR", "#FFFFF4"}, {"ALIGN", align}, {"VALIGN", valign}, {"WIDTH", "5%"}}) +
           SmallFontTag() + "<B>" + time + "</B></FONT></TD>";
}

AnsiString ProgrammeCellStart(int row, const AnsiString& width, int span)
{
    const AnsiString rowSpan = IntToStr(span);
    if (row == 1)
        return StartTag("TD", {{"WIDTH", width + "%"}, {"ROWSPAN", rowSpan}, {"VALIGN", "TOP"}, {"BGCOLOR", "#FFFFFF"}});
    return StartTag("TD", {{"BGCOLOR", "White"}, {"WIDTH", width + "%"}, {"ROWSPAN", rowSpan}, {"VALIGN", "TOP"}});
}

AnsiString ProgrammeText(const TStringGrid& grid, int column, int row, bool wide)
{
    const AnsiString cell = grid.Cells(column, row);
    if (cell.empty())
        return "&nbsp";
    AnsiString text = "<B>" + cell + "</B>";
    if (wide)
        text += "<BR>" + grid.Cells(grid.ColCount() - 1 + column, row);
    return text;
}

void AddHeaderRow(const TStringGrid& grid, const AnsiString& width, TStrings& page)
{
    const AnsiString corner =
        "    " + StartTag("TD", {{"ALIGN", "CENTER"}, {"BGCOLOR", "NAVY"}, {"WIDTH", "5%"}}) + "&nbsp;</TD>";
    page.Add("  <TR>");
    page.Add(corner);
    for (int c = 1; c < grid.ColCount(); ++c)
        page.Add(ChannelHeaderCell(grid.Cells(c, 0), width));
    page.Add(corner);
    page.Add("  </TR>");
}

void AddProgrammeRow(const TStringGrid& grid, int row, bool wide, const AnsiString& width, TStrings& page)
{
    const AnsiString time = grid.Cells(0, row);
    page.Add("  <TR>");
    page.Add(TimeCell(time, "CENTER", "TOP"));
    for (int c = 1; c < grid.ColCount(); ++c) {
        // Below row 1 an empty cell is covered by the span of the programme above it.
        if (row > 1 && grid.Cells(c, row).empty())
            continue;
        page.Add("    " + ProgrammeCellStart(row, width, NextFilledRow(grid, c, row) - row) +
                 StartTag("A", {{"HREF", ProgrammeLink(c, row)}}) + SmallFontTag() +
                 ProgrammeText(grid, c, row, wide) + "</FONT></A></TD>");
    }
    page.Add(TimeCell(time, "Center", "Top"));
    page.Add("  </TR>");
}

} // namespace

int TableCellStart()
{
    return IniReadString("Näkymät"_a, "KloAika", "1") == "1" ? 1 : 7;
}

void MakeTableViewPage(const TStringGrid& grid, bool wide, TStrings& page)
{
    const int channels = grid.ColCount() - 1;
    const AnsiString width = channels > 0 ? ChannelColumnWidth(channels) : AnsiString();
    AddPageHead(page);
    AddHeaderRow(grid, width, page);
    for (int r = 1; r < grid.RowCount(); ++r)
        AddProgrammeRow(grid, r, wide, width, page);
    AddPageEnd(page);
}

TableView BuildTableView(const TStrings& channels, bool wide, const AnsiString& currentDate,
                         const std::vector<AlarmKey>& alarms)
{
    TableView view;
    view.caption = OwnViewCaption(currentDate);
    std::vector<ChannelDay> days =
        LoadViewDays(channels, currentDate, MissingDay{"04:00 &nbsp", "&nbsp"}, DayText::AsPageText);
    view.grid = NewListingGrid(days, SortedStartTimes(days));

    MarkTableDays(days, alarms, currentDate, false);
    FillProgrammeCells(*view.grid, days, TableCellStart());
    UnmarkTimeColumn(*view.grid);
    MakeTableViewPage(*view.grid, wide, view.page);
    return view;
}
