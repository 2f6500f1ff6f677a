// The alarm clock and the beeps. Every tick shows the time and lets the calendar follow a turned
// TV day; the alarm clock then looks at the alarm list: every row due by now fires once if its programme is still ahead, and rows that fell
// due since the last look after their programme began are listed in one notice and removed. The
// beep timer sounds one tune per tick.
#include "alarms/AlarmSchedule.h"
#include "app/AlarmListRows.h"
#include "app/AlarmRoutines.h"
#include "app/Main.h"
#include "dialogs/Tvtanaan.h"
#include "listings/Calendar.h"
#include "platform/core/ScopeExit.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ListView.h"
#include "platform/forms/StatusBar.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "shell/Bleeper.h"

namespace {

struct ListedAlarm {
    TListItem* item;
    AlarmRow row;
};

std::vector<ListedAlarm> ListedAlarms(TListItems* items, const std::vector<AlarmRow>& rows,
                                      const std::vector<std::size_t>& indexes)
{
    std::vector<ListedAlarm> alarms;
    for (std::size_t index : indexes)
        alarms.push_back({items->Item(static_cast<int>(index)), rows[index]});
    return alarms;
}

// The row is still in the list as it was when the look was taken: a firing's box runs a nested
// loop, in which nested ticks fire rows and the user may delete or edit them.
int IndexIfUnchanged(TListItems* items, const ListedAlarm& alarm)
{
    const int index = items->IndexOf(alarm.item);
    return index >= 0 && AlarmRowOf(items->Item(index)).RecordText() == alarm.row.RecordText() ? index : -1;
}

} // namespace

void TMainForm::AlarmsTimerTimer(TObject*)
{
    ShowClock(Now());
    // While an alarm is edited or a row appended nothing fires and the calendar waits, since the
    // dialog works on the shown list; what falls due meanwhile happens at the first look after.
    if (AlarmEditing)
        return;
    Dispatch([this] { FollowTvDay(); });
    LookAtAlarms();
}

void TMainForm::ShowClock(TDateTime now)
{
    StatusPanel->Panels()->Items(1)->SetText(DayName(false, now));
    StatusPanel->Panels()->Items(2)->SetText(FormatDateTime("hh:nn:ss", now));
    if (TVTanaanForm)
        TVTanaanForm->SetCaption(FormatDateTime("dddd d. mmmm\"ta\" yyyy, \"klo.\" hh:nn:ss", now));
}

// Ticks inside a firing's box look too, so alarms due meanwhile fire on time; each row leaves the
// list as it is fired or listed, which keeps the outer look from handling it again.
void TMainForm::LookAtAlarms()
{
    const std::int64_t now = ClockNowUnixMs() / 1000;
    const std::vector<AlarmRow> rows = AlarmRows();
    const AlarmLook look = FAlarmSchedule.Look(rows, MinutesBefore, now);
    if (look.Empty())
        return;
    TListItems* items = Alarmlist->Items();
    const std::vector<ListedAlarm> due = ListedAlarms(items, rows, look.fire);
    AnsiString missedText;
    for (const ListedAlarm& alarm : ListedAlarms(items, rows, look.missed)) {
        missedText += MissedAlarmLine(alarm.row);
        items->Delete(items->IndexOf(alarm.item));
        AlarmRowsTakenOut = true;
    }
    for (const ListedAlarm& alarm : due) {
        if (AlarmEditing)
            break;
        if (IndexIfUnchanged(items, alarm) < 0)
            continue;
        const AlarmRow& row = alarm.row;
        // One alarm that fails must not keep the others from firing.
        Dispatch([&] {
            FireAlarm(row.Caption, row.SubItems[afChannel], row.SubItems[afTime], row.SubItems[afTitle],
                      row.SubItems[afDescription], row.SubItems[afActions], false, alarm.item);
        });
    }
    SaveAlarmRemovals();
    // The rows that left the list took their alarm colour with them.
    Dispatch([this] { RefreshDayView(); });
    if (!missedText.empty())
        MessageDlg(MissedAlarmsNotice(missedText), mtInformation, {mbOK});
}

void TMainForm::BeepTimerTimer(TObject*)
{
    if (FBeepTickRunning)
        return;
    if (BeepsLeft <= 0) {
        BeepTimer->SetEnabled(false);
        return;
    }
    FBeepTickRunning = true;
    ScopeExit tickEnded([this] { FBeepTickRunning = false; });
    --BeepsLeft;
    BleepTune(1);
}
