// The table views: one day of several channels side by side as an HTML page. "Taulukko" has a
// row per distinct start time and a column per channel; "Taulukko 2" has seven time bands, each
// channel's programmes of a band in a small table of their own. Both rebuild the listing grid
// that the programme links point into.
#pragma once
#include "listings/ProgrammeMarks.h"
#include "platform/core/AnsiString.h"
#include "platform/core/StringGrid.h"
#include "platform/core/Strings.h"
#include <array>
#include <memory>
#include <vector>

// What a table view hands to the main window: the new listing grid (in place of the old one),
// the window caption and the page for the browser.
struct TableView {
    std::unique_ptr<TStringGrid> grid;
    AnsiString caption;
    TStringList page;
};

// "Taulukko" (wide: "Taulukko (laaja)", the description under each title) of the shown day
// currentDate ("d.m.yyyy") for the view's channels; alarms are the rows of the alarm list.
TableView BuildTableView(const TStrings& channels, bool wide, const AnsiString& currentDate,
                         const std::vector<AlarmKey>& alarms);
// "Taulukko 2" (wide: "Taulukko 2 (laaja)").
TableView BuildTable2View(const TStrings& channels, bool wide, const AnsiString& currentDate,
                          const std::vector<AlarmKey>& alarms);

// The pages of a filled grid. The "Taulukko" grid has its time column unmarked; the
// "Taulukko 2" grid keeps the late-night marker there, and cellsHaveTime says whether its cells
// begin with the start time (the setting "KloAika").
void MakeTableViewPage(const TStringGrid& grid, bool wide, TStrings& page);
void MakeTable2ViewPage(const TStringGrid& grid, bool wide, bool cellsHaveTime, TStrings& page);

// 1 when the table cells begin with the start time (the setting "KloAika"), 7 for the title only.
int TableCellStart();

// The bands of "Taulukko 2" as hhmm of the marked start time: start <= t < end.
struct TimeBand {
    int start;
    int end;
};
extern const std::array<TimeBand, 7> TimeBands;
// hhmm of a time "hh:nn" (30:15 gives 3015), or -1 when it is no time.
int MarkedTimeValue(const AnsiString& time);
