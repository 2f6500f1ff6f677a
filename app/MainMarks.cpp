// The marks on the main window's programme list (on air, past, alarmed) and the two lists that
// the settings fill: the channel list and the views menu.
#include "app/Main.h"
#include "app/AlarmListRows.h"
#include "app/ViewTags.h"
#include "alarms/AlarmFile.h"
#include "listings/Funktiot.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/PageScroller.h"
#include "platform/forms/StatusBar.h"

namespace {

constexpr double kSevenOClock = 7.0 / 24.0;

// Whether the shown day's list can hold the programme on air now: it is today's, or it is
// yesterday's while its programmes after midnight still run (before 07:00).
bool ShownDayMayBeOnAir(int shownDayIndex, TDateTime now)
{
    const int today = DayIndex(false, now);
    if (shownDayIndex == today)
        return true;
    const int yesterday = today == 1 ? 7 : today - 1;
    return shownDayIndex == yesterday && TimeOf(now) < kSevenOClock;
}

} // namespace

void TMainForm::MarkCurrentProgramme(bool useToday)
{
    for (int i = Ohjelmat->Count() - 1; i >= 0; --i)
        if (Ohjelmat->Selected(i))
            Ohjelmat->SetSelected(i, false);
    TStrings& items = *Ohjelmat->Items();
    const int count = items.Count();
    if (count == 0)
        return;
    const TDateTime now = Now();
    if (!useToday && !ShownDayMayBeOnAir(CurrentDayIndex, now))
        return;

    const AnsiString date = useToday ? FormatDateTime("d.m.yyyy", now) : CurrentDate;
    int firstAhead = -1;
    for (int i = 0; i < count; ++i) {
        const AnsiString item = WithoutOnAirMark(items[i]);
        if (item != items[i])
            items.Put(i, item);
        TDateTime start = 0;
        const AnsiString time = Copy(RowText(item, ProgrammeLayout), 1, 5);
        if (firstAhead >= 0 || !TryStrToDateTime(date + " " + time + ":00", start))
            continue;
        // Programmes of the second half that start before 07:00 run after midnight; 00:00 counts
        // as after midnight too, as it does for the late-night marker.
        if (i > count / 2.0 - 2 && TimeOf(start) < kSevenOClock)
            start = IncDay(start, 1);
        if (start >= now)
            firstAhead = i;
    }
    if (firstAhead == 0)
        return; // the day has not begun
    const int onAir = firstAhead < 0 ? count - 1 : firstAhead - 1;
    items.Put(onAir, kOnAirMark + items[onAir]);
    // Through the row a few below first, so the list scrolls the row into view with some after it.
    if (firstAhead >= 0 && firstAhead + 5 < count)
        Ohjelmat->SetItemIndex(firstAhead + 5);
    Ohjelmat->SetItemIndex(onAir);
    Ohjelmat->SetSelected(onAir, true);
    if (StatusPanel->Panels()->Items(0)->Text() != "Ladataan...")
        OhjelmatClick(this);
}

void TMainForm::RemovePastProgrammes()
{
    ::RemovePastProgrammes(*Ohjelmat->Items(), *Keski_Ohjelmainfot->Items());
}

void TMainForm::MarkAlarmedProgrammes()
{
    ::MarkAlarmedProgrammes(*Ohjelmat->Items(), AlarmKeys(), CurrentDate);
}

void TMainForm::LoadChannelList()
{
    V_Kanavat->Clear();
    for (const AnsiString& channel : EnabledChannels())
        V_Kanavat->Items()->Add(channel);
    V_Kanavat->SetItemIndex(0);
    V_Kanavat->SetHeight(20 * V_Kanavat->Count() + 20);
    V_Scroller->Realign();
}

void TMainForm::BuildViewsMenu()
{
    auto onClick = [this](TObject* sender) { NakymatClick(sender); };
    auto addItem = [&](const AnsiString& caption, int tag) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        item->Tag = tag;
        if (caption != "-") {
            item->SetRadioItem(true);
            item->OnClick = onClick;
        }
        MM_Nakyma->Add(item);
    };

    for (int i = MM_Nakyma->Count() - 1; i >= 2; --i) {
        TMenuItem* item = MM_Nakyma->Items(i);
        MM_Nakyma->Delete(i);
        delete item;
    }
    const int highest = std::min(HighestViewIndex(), kMostListEntries - 1);
    for (int i = 0; i <= highest; ++i)
        addItem(ViewEntryCaption(ReadViewEntry(i)), i);
    addItem("-", 0);
    addItem("Hälytykset"_a, AlarmViewTag);
    addItem("TV:ssa nyt", NowOnAirViewTag);
}

std::vector<AlarmRow> TMainForm::AlarmRows() const
{
    std::vector<AlarmRow> rows;
    TListItems* items = Alarmlist->Items();
    for (int i = 0; i < items->Count(); ++i)
        rows.push_back(AlarmRowOf(items->Item(i)));
    return rows;
}

TListItem* TMainForm::AddAlarmRow(const AlarmRow& row)
{
    TListItem* item = Alarmlist->Items()->Add();
    for (const AnsiString& field : row.SubItems)
        item->SubItems()->Add(field);
    item->SetImageIndex(0);
    item->SetCaption(row.Caption);
    return item;
}

std::vector<AlarmKey> TMainForm::AlarmKeys() const
{
    std::vector<AlarmKey> keys;
    for (const AlarmRow& row : AlarmRows())
        keys.push_back(AlarmKeyOfRow(row.Caption, row.SubItems[afTime], row.SubItems[afTitle]));
    return keys;
}
