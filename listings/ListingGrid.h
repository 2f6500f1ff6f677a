// The listing grid that every own view builds and the programme links read: row 0 the channel
// names, column 0 the sorted distinct start times, cell (c, r) the programme of channel c starting
// at the time of row r, and its description beyond the last column, in cell
// (ColCount - 1 + c, r).
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/StringGrid.h"
#include "platform/core/Strings.h"
#include <memory>
#include <optional>
#include <vector>

// One channel's shown day as the own views work on it: programme lines and their descriptions at
// the same index.
struct ChannelDay {
    AnsiString channel;
    TStringList programmes;
    TStringList descriptions;
};

// What a table shows for a channel whose day is not stored.
struct MissingDay {
    AnsiString programme;   // "04:00 ..."
    AnsiString description;
};

// Programme lines of a day text and the line after each (a rejected line never shifts the pairs).
void SplitDayLines(const TStrings& dayLines, TStrings& programmes, TStrings& descriptions);
// The late-night marker on programme lines beyond half the count (halves to the even neighbour).
void MarkLateNight(TStrings& programmes);

// How the own views take the stored text: as it is (the lists draw it), or as the text of an
// HTML page (the tables).
enum class DayText { AsStored, AsPageText };

// Loads the shown day of every channel, in view order. A channel without its day gets the one
// `missing` programme (the page's own text), or no programmes without one.
std::vector<ChannelDay> LoadViewDays(const TStrings& channels, const AnsiString& currentDate,
                                     const std::optional<MissingDay>& missing, DayText form = DayText::AsStored);
// Every programme line and description of the day written as page text.
void WriteAsPageText(ChannelDay& day);
// The distinct start times of every programme, sorted as text (marked times after 23:59).
TStringList SortedStartTimes(const std::vector<ChannelDay>& days);

// A grid of the channel names and the start times (still marked).
std::unique_ptr<TStringGrid> NewListingGrid(const std::vector<ChannelDay>& days, const TStringList& startTimes);
// Each programme into the cell of its channel and start time, from character `start` of its
// line (1: the whole line with the time unmarked, 7: the title), its description beyond the
// last column.
void FillProgrammeCells(TStringGrid& grid, const std::vector<ChannelDay>& days, int start);
// Turns the marker back in column 0.
void UnmarkTimeColumn(TStringGrid& grid);

// "##&" + column + "-" + row: the target of a programme's link in the pages.
AnsiString ProgrammeLink(int column, int row);
// "QEX 2000 - " + the shown date with Finnish day and month names.
AnsiString OwnViewCaption(const AnsiString& currentDate);
