// The calendar of a program left running: when the TV day turns at 05:00, or the clock jumps to
// another TV day, the week dates, the week tabs, the day menu and the shown day follow as at
// start-up. A day the user chose stays shown while the new weeks still hold it.
#include "app/Main.h"
#include "app/WeekDates.h"
#include "listings/Calendar.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/TabControl.h"

namespace {

// The entry 1 to 14 of the week dates that holds `date`; 0 when neither week holds it.
int WeekDateEntry(const TStrings& weekDates, const AnsiString& date)
{
    for (int i = 1; i < weekDates.Count(); ++i)
        if (weekDates[i] == date)
            return i;
    return 0;
}

} // namespace

void TMainForm::FollowTvDay()
{
    const TDateTime now = Now();
    const AnsiString tvDay = CurrentTvDateText(now);
    // Before start-up has built the calendar there is nothing to follow.
    if (FCalendarTvDay.empty() || tvDay == FCalendarTvDay)
        return;
    const AnsiString previousTvDay = FCalendarTvDay;
    const AnsiString previousMonday = WeekDates.Count() > 1 ? WeekDates[1] : AnsiString();
    FCalendarTvDay = tvDay;
    FillWeekDates(now, WeekDates);
    const int today = WeekDateEntry(WeekDates, tvDay);
    // Today's view moves on to the new today; another day stays while the weeks still hold it.
    int entry = CurrentDate == previousTvDay ? 0 : WeekDateEntry(WeekDates, CurrentDate);
    if (entry == 0)
        entry = today;
    if (WeekDates[1] != previousMonday) {
        // The day tabs remembered for each week belonged to other weeks.
        WeekDayTab0 = today - 1;
        WeekDayTab1 = 0;
    }
    CurrentWeek = entry > 7 ? 1 : 0;
    ViikotTabs->SetTabIndex(CurrentWeek);
    ViikonPaivatTabs->SetTabIndex((entry - 1) % 7);
    CurrentDate = WeekDates[entry];
    CurrentDayIndex = (entry - 1) % 7 + 1;
    CurrentDayName = DayName(false, StrToDate(CurrentDate));
    FillWeekTabsAndDayMenu();
    RefreshDayView();
}

void TMainForm::RefreshDayView()
{
    // The alarm view, the what-is-on-now view and search results are not day views; while an
    // alarm is edited the list under the dialog must stay as the dialog found it; and a box of
    // the start-up can run the alarm clock before the week dates exist.
    if (FCalendarTvDay.empty() || AlarmEditing || !DayViewShown())
        return;
    ViikonPaivaChange(this);
}
