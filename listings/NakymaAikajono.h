// The time-line view ("Aikajono"): the shown day of several channels merged into the programme
// list in start-time order, each item naming its channel.
#pragma once
#include "listings/ProgrammeMarks.h"
#include "platform/core/AnsiString.h"
#include "platform/core/StringGrid.h"
#include "platform/core/Strings.h"
#include <memory>
#include <vector>

struct TimelineView {
    std::unique_ptr<TStringGrid> grid; // replaces the listing grid
    AnsiString caption;
};

// Refills items and descriptions (the programme list and its description list) with the time
// line of currentDate ("d.m.yyyy") and puts the keyword colourings (when switched on) and the
// alarm colour on it. The on-air mark and the removal of past programmes are left to the caller,
// which owns the list's selection.
TimelineView BuildTimelineView(const TStrings& channels, const AnsiString& currentDate,
                               const std::vector<AlarmKey>& alarms, TStrings& items, TStrings& descriptions);

// The items of a filled time-line grid: "hh:nn <w:Channel> Title" row by row, within a row in
// channel order, each description at the same index.
void MakeTimelineItems(const TStringGrid& grid, TStrings& items, TStrings& descriptions);
