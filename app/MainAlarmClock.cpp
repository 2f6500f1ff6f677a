// The alarm clock and the beeps. Every tick shows the time and lets the calendar follow a turned
// TV day; the alarm clock then looks at the alarm list: every row due by now fires once if its
// programme is still ahead, and rows that fell due since the last look after their programme began
// are listed in one notice and removed. The beep timer sounds one tune per tick.
#include "alarms/AlarmSchedule.h"
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

// Deletes the rows at these indexes of the list as it was read for the look.
void DeleteRows(TListItems* items, const std::vector<std::size_t>& indexes)
{
    std::vector<TListItem*> taken;
    for (std::size_t index : indexes)
        taken.push_back(items->Item(static_cast<int>(index)));
    for (TListItem* item : taken)
        items->Delete(items->IndexOf(item));
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

// Every row of a look leaves the list and the file before the first of them fires, so a crash
// after a notice showed fires none of them again. Ticks inside a firing's box look too: they fire
// the rest of the look's rows and what fell due meanwhile on time.
void TMainForm::LookAtAlarms()
{
    const std::int64_t now = ClockNowUnixMs() / 1000;
    const std::vector<AlarmRow> rows = AlarmRows();
    const AlarmLook look = FAlarmSchedule.Look(rows, MinutesBefore, now);
    std::vector<AlarmRow> missed;
    if (!look.Empty()) {
        for (std::size_t index : look.missed)
            missed.push_back(rows[index]);
        for (std::size_t index : look.fire)
            FAlarmsToFire.push_back(rows[index]);
        std::vector<std::size_t> taken = look.missed;
        taken.insert(taken.end(), look.fire.begin(), look.fire.end());
        DeleteRows(Alarmlist->Items(), taken);
        SaveAlarmRemovals();
    }
    FireWaitingAlarms();
    if (look.Empty())
        return;
    // The rows that left the list took their alarm colour with them.
    Dispatch([this] { RefreshDayView(); });
    if (!missed.empty())
        MessageDlg(MissedAlarmsNotice(missed), mtInformation, {mbOK});
}

// Each row leaves the queue before it fires, so a tick inside its box doesn't fire it again. An
// edit begun meanwhile holds the rest until it ends.
void TMainForm::FireWaitingAlarms()
{
    while (!FAlarmsToFire.empty() && !AlarmEditing) {
        const AlarmRow row = FAlarmsToFire.front();
        FAlarmsToFire.pop_front();
        // One alarm that fails must not keep the others from firing.
        Dispatch([&] {
            FireAlarm(row.Caption, row.SubItems[afChannel], row.SubItems[afTime], row.SubItems[afTitle],
                      row.SubItems[afDescription], row.SubItems[afActions]);
        });
    }
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
