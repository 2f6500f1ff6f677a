#include "listings/NakymaAikajono.h"
#include "listings/ListingGrid.h"
#include "platform/core/SysUtils.h"

void MakeTimelineItems(const TStringGrid& grid, TStrings& items, TStrings& descriptions)
{
    const int descriptionColumn = grid.ColCount() - 1;
    for (int r = 1; r < grid.RowCount(); ++r) {
        const AnsiString time = grid.Cells(0, r);
        const AnsiString shownTime = Copy(time, 1, 2) + ":" + Copy(time, 4, 2);
        for (int c = 1; c < grid.ColCount(); ++c) {
            const AnsiString title = grid.Cells(c, r);
            if (title.empty())
                continue;
            items.Add(shownTime + " <w:" + grid.Cells(c, 0) + "> " + title);
            descriptions.Add(grid.Cells(descriptionColumn + c, r));
        }
    }
}

TimelineView BuildTimelineView(const TStrings& channels, const AnsiString& currentDate,
                               const std::vector<AlarmKey>& alarms, TStrings& items, TStrings& descriptions)
{
    items.Clear();
    descriptions.Clear();
    TimelineView view;
    view.caption = OwnViewCaption(currentDate);
    std::vector<ChannelDay> days = LoadViewDays(channels, currentDate, std::nullopt);
    view.grid = NewListingGrid(days, SortedStartTimes(days));
    // The time line's cells hold the title only, whatever "KloAika" says.
    FillProgrammeCells(*view.grid, days, 7);
    UnmarkTimeColumn(*view.grid);

    MakeTimelineItems(*view.grid, items, descriptions);
    if (ColouringsEnabled())
        ApplyColourings(items, descriptions, RowLayout::Timeline);
    MarkAlarmedProgrammesTimeline(items, alarms, currentDate);
    return view;
}
