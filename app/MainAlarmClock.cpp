// The alarm clock and the beeps. Every tick shows the time; the alarm clock then fires each row
// that fell due since the last tick, once, and the beep timer sounds one tune per tick.
#include "alarms/AlarmSchedule.h"
#include "app/AlarmListRows.h"
#include "app/AlarmRoutines.h"
#include "app/Main.h"
#include "dialogs/Tvtanaan.h"
#include "listings/Calendar.h"
#include "platform/forms/ListView.h"
#include "platform/forms/StatusBar.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "shell/Bleeper.h"

namespace {

// Sets a flag for the time of a tick, so the tick's own nested loops do not run it again.
class TickGuard {
public:
    explicit TickGuard(bool& running) : FRunning(running) { FRunning = true; }
    ~TickGuard() { FRunning = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    bool& FRunning;
};

struct DueAlarm {
    TListItem* item;
    AlarmRow row;
};

} // namespace

void TMainForm::AlarmsTimerTimer(TObject*)
{
    const TDateTime now = Now();
    ShowClock(now);
    // A box shown by a firing runs a nested loop: the outer tick goes on once it closes, and the
    // seconds that passed meanwhile are looked at by the next tick.
    if (FAlarmTickRunning)
        return;
    const SecondRange seconds = FAlarmSeconds.Take(WholeSecond(now));
    // While an alarm is edited or a row appended nothing fires, and what fell due meanwhile is
    // passed over for good.
    if (AlarmEditing || Alarmlist->Items()->Count() == 0 || seconds.Empty())
        return;
    FireDueAlarms(seconds);
}

void TMainForm::ShowClock(TDateTime now)
{
    StatusPanel->Panels()->Items(1)->SetText(DayName(false, now));
    StatusPanel->Panels()->Items(2)->SetText(FormatDateTime("hh:nn:ss", now));
    if (TVTanaanForm)
        TVTanaanForm->SetCaption(FormatDateTime("dddd d. mmmm\"ta\" yyyy, \"klo.\" hh:nn:ss", now));
}

void TMainForm::FireDueAlarms(SecondRange seconds)
{
    const std::vector<AlarmRow> rows = AlarmRows();
    std::vector<DueAlarm> due;
    for (std::size_t index : RowsDueIn(rows, MinutesBefore, seconds))
        due.push_back({Alarmlist->Items()->Item(static_cast<int>(index)), rows[index]});

    TickGuard guard(FAlarmTickRunning);
    for (const DueAlarm& alarm : due) {
        if (AlarmEditing)
            return;
        // An earlier firing's box may have let the user delete or change the row meanwhile.
        const int index = Alarmlist->Items()->IndexOf(alarm.item);
        if (index < 0 || AlarmRowOf(Alarmlist->Items()->Item(index)).RecordText() != alarm.row.RecordText())
            continue;
        const AlarmRow& row = alarm.row;
        // One alarm that fails must not keep the others of its second from firing.
        Dispatch([&] {
            FireAlarm(row.Caption, row.SubItems[afChannel], row.SubItems[afTime], row.SubItems[afTitle],
                      row.SubItems[afDescription], row.SubItems[afActions], false, alarm.item);
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
    TickGuard guard(FBeepTickRunning);
    --BeepsLeft;
    BleepTune(1);
}
