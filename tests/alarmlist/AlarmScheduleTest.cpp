// The alarm schedule on a settable clock in the Finnish zone: the clock ticks every 900 ms, or
// jumps, or starts late; every look fires what is due and ahead and lists what fell due after its
// programme began, and the run takes each such row out of the list as the main window does. Each
// alarm must fire exactly once, never before its due moment and before its programme, or be
// listed once as missed.
#include "alarms/AlarmSchedule.h"
#include "support/ZoneFixed.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A moment given in UTC, as Unix seconds.
std::int64_t Utc(int year, int month, int day, int hour, int minute, int second = 0)
{
    const auto days = static_cast<std::int64_t>(EncodeDate(year, month, day)) - 25569;
    return days * 86400 + (hour * 60 + minute) * 60 + second;
}

AlarmRow Row(const AnsiString& caption, const AnsiString& time, const AnsiString& title)
{
    AlarmRow row;
    row.Caption = caption;
    row.SubItems = {"TV1", time, title, "", "Kuvaus", "#NRM #SHD:0 "};
    return row;
}

class ClockRun {
public:
    struct Event {
        AnsiString title;
        std::int64_t at = 0;
        bool fired = false;
    };

    ClockRun(std::vector<AlarmRow> rows, int lead = 5) : FRows(std::move(rows)), FLead(lead)
    {
        for (const AlarmRow& row : FRows)
            FAll.push_back(row);
    }

    void Add(const AlarmRow& row)
    {
        FRows.push_back(row);
        FAll.push_back(row);
    }

    // One look at the clock at `ms` (Unix milliseconds); what fires or is missed leaves the list.
    void LookAt(std::int64_t ms)
    {
        const std::int64_t now = ms / 1000;
        const AlarmLook look = FSchedule.Look(FRows, FLead, now);
        std::vector<std::size_t> gone;
        for (std::size_t index : look.fire) {
            FEvents.push_back({FRows[index].SubItems[afTitle], now, true});
            gone.push_back(index);
        }
        for (std::size_t index : look.missed) {
            FEvents.push_back({FRows[index].SubItems[afTitle], now, false});
            gone.push_back(index);
        }
        std::sort(gone.rbegin(), gone.rend());
        for (std::size_t index : gone)
            FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(index));
        FNow = ms;
    }

    // Ticks every 900 ms from `from` up to `to` (Unix seconds).
    void Tick(std::int64_t from, std::int64_t to)
    {
        for (std::int64_t ms = from * 1000; ms <= to * 1000; ms += 900)
            LookAt(ms);
    }
    // Ticks on from the last look.
    void TickOn(std::int64_t to) { Tick(FNow / 1000 + 1, to); }

    const std::vector<Event>& Events() const { return FEvents; }
    std::vector<AnsiString> Titles() const
    {
        std::vector<AnsiString> titles;
        for (const Event& event : FEvents)
            titles.push_back(event.title);
        return titles;
    }
    std::size_t Left() const { return FRows.size(); }

    void ExpectFiredAt(const AnsiString& title, std::int64_t at) const { ExpectOne(title, at, true); }
    void ExpectMissedAt(const AnsiString& title, std::int64_t at) const { ExpectOne(title, at, false); }

    // Every event belongs to a row given, once; a firing lies from the due moment to the
    // programme's first second, a missed listing after that.
    void ExpectEachOnceNeverEarly() const
    {
        for (const AlarmRow& row : FAll) {
            const AnsiString& title = row.SubItems[afTitle];
            const auto count = std::count_if(FEvents.begin(), FEvents.end(),
                                             [&](const Event& event) { return event.title == title; });
            EXPECT_LE(count, 1) << title;
            const std::optional<AlarmMoments> moments = AlarmMomentsOf(row, FLead);
            for (const Event& event : FEvents) {
                if (event.title != title || !moments)
                    continue;
                if (event.fired) {
                    EXPECT_GE(event.at, moments->due) << title;
                    EXPECT_LE(event.at, moments->start) << title;
                } else {
                    EXPECT_GT(event.at, moments->start) << title;
                }
            }
        }
    }

private:
    void ExpectOne(const AnsiString& title, std::int64_t at, bool fired) const
    {
        std::vector<Event> found;
        for (const Event& event : FEvents)
            if (event.title == title)
                found.push_back(event);
        ASSERT_EQ(found.size(), 1u) << title;
        EXPECT_EQ(found[0].fired, fired) << title;
        EXPECT_EQ(found[0].at, at) << title << " at " << found[0].at - at << " s from the expected moment";
    }

    std::vector<AlarmRow> FRows;
    std::vector<AlarmRow> FAll;
    int FLead;
    AlarmSchedule FSchedule;
    std::vector<Event> FEvents;
    std::int64_t FNow = 0;
};

class AlarmScheduleTest : public ::testing::Test {
protected:
    struct Alarm {
        const char* time;
        const char* title;
        std::int64_t firesAt;  // Unix seconds
    };

    // Alarms of one day, lead 5, on a clock ticking from `from` to `to`: each fires at its moment.
    static ClockRun RunDay(const AnsiString& caption, std::int64_t from, std::int64_t to,
                           const std::vector<Alarm>& alarms)
    {
        std::vector<AlarmRow> rows;
        for (const Alarm& alarm : alarms)
            rows.push_back(Row(caption, alarm.time, alarm.title));
        ClockRun run(rows);
        run.Tick(from, to);
        for (const Alarm& alarm : alarms)
            run.ExpectFiredAt(alarm.title, alarm.firesAt);
        run.ExpectEachOnceNeverEarly();
        return run;
    }

    ZoneFixed zone{"Europe/Helsinki"};
};

// At 29.3.2026 01:00 UTC the Finnish clock goes from 03:00 to 04:00. A time that the change skips
// reads with winter time (03:02 is 04:02 summer time); a lead reaches back over the change (five
// minutes before 04:00 is 02:55 winter time).
TEST_F(AlarmScheduleTest, SpringChangeFiresEachAlarmOnceAtItsMoment)
{
    const ClockRun run = RunDay("29.3.2026 (SU)", Utc(2026, 3, 28, 22, 0), Utc(2026, 3, 29, 3, 0),
                                {{"02:30", "Before", Utc(2026, 3, 29, 0, 25)},
                                 {"03:02", "Skipped", Utc(2026, 3, 29, 0, 57)},
                                 {"03:30", "SkippedLate", Utc(2026, 3, 29, 1, 25)},
                                 {"04:00", "AtChange", Utc(2026, 3, 29, 0, 55)},
                                 {"04:03", "After", Utc(2026, 3, 29, 0, 58)},
                                 {"05:00", "Later", Utc(2026, 3, 29, 1, 55)}});
    EXPECT_EQ(run.Titles(), (std::vector<AnsiString>{"Before", "AtChange", "Skipped", "After", "SkippedLate",
                                                     "Later"}));
}

// At 25.10.2026 01:00 UTC the Finnish clock goes from 04:00 back to 03:00. A repeated time is its
// first, summer-time occurrence; 04:00 comes once, an hour after 03:55 summer time first showed,
// so its alarm waits for the second 03:55.
TEST_F(AlarmScheduleTest, AutumnChangeFiresEachAlarmOnceAtItsMoment)
{
    RunDay("25.10.2026 (SU)", Utc(2026, 10, 24, 22, 0), Utc(2026, 10, 25, 4, 0),
           {{"02:30", "Before", Utc(2026, 10, 24, 23, 25)},
            {"03:30", "Repeated", Utc(2026, 10, 25, 0, 25)},
            {"03:58", "RepeatedLate", Utc(2026, 10, 25, 0, 53)},
            {"04:00", "AfterHour", Utc(2026, 10, 25, 1, 55)},
            {"04:03", "After", Utc(2026, 10, 25, 1, 58)},
            {"05:00", "Later", Utc(2026, 10, 25, 2, 55)}});
}

TEST_F(AlarmScheduleTest, LeadsReachBackOverMidnightAndNewYear)
{
    ClockRun run({Row("8.12.2026 (MA)", "00:03", "Night"), Row("1.1.2027 (PE)", " 0:02", "NewYear"),
                  Row("1.1.2027 (PE)", "00:00", "Midnight")},
                 5);
    run.Tick(Utc(2026, 12, 7, 21, 50), Utc(2026, 12, 7, 22, 10));
    run.ExpectFiredAt("Night", Utc(2026, 12, 7, 21, 58));  // 23:58 local on the 7th
    run.Tick(Utc(2026, 12, 31, 21, 40), Utc(2026, 12, 31, 22, 10));
    run.ExpectFiredAt("NewYear", Utc(2026, 12, 31, 21, 57));
    run.ExpectFiredAt("Midnight", Utc(2026, 12, 31, 21, 55));
    run.ExpectEachOnceNeverEarly();
}

TEST_F(AlarmScheduleTest, ClockJumpsFireWhatFellDueInDueOrderAndListTheBegunOnce)
{
    // Monday 7.12.2026, winter time: local = UTC + 2.
    ClockRun run({Row("7.12.2026 (MA)", "20:08", "B"), Row("7.12.2026 (MA)", "20:05", "A"),
                  Row("7.12.2026 (MA)", "20:00", "Begun"), Row("7.12.2026 (MA)", "20:10", "Next"),
                  Row("7.12.2026 (MA)", "21:00", "Slept"), Row("7.12.2026 (MA)", "22:09", "Ahead"),
                  Row("7.12.2026 (MA)", "22:20", "Late"), Row("7.12.2026 (MA)", "22:40", "Back")});
    run.Tick(Utc(2026, 12, 7, 17, 50), Utc(2026, 12, 7, 17, 54));
    EXPECT_TRUE(run.Events().empty());
    // Ten minutes forward, as after a suspend.
    run.LookAt(Utc(2026, 12, 7, 18, 4) * 1000);
    EXPECT_EQ(run.Titles(), (std::vector<AnsiString>{"A", "B", "Begun"}));
    run.ExpectFiredAt("A", Utc(2026, 12, 7, 18, 4));
    run.ExpectFiredAt("B", Utc(2026, 12, 7, 18, 4));
    run.ExpectMissedAt("Begun", Utc(2026, 12, 7, 18, 4));
    run.TickOn(Utc(2026, 12, 7, 18, 6));
    run.ExpectFiredAt("Next", Utc(2026, 12, 7, 18, 5));
    // Two hours forward: a programme 2.5 minutes ahead still gets its alarm.
    run.LookAt(Utc(2026, 12, 7, 20, 6, 30) * 1000);
    run.ExpectFiredAt("Ahead", Utc(2026, 12, 7, 20, 6, 30));
    run.ExpectMissedAt("Slept", Utc(2026, 12, 7, 20, 6, 30));
    run.TickOn(Utc(2026, 12, 7, 20, 16));
    run.ExpectFiredAt("Late", Utc(2026, 12, 7, 20, 15));
    // An hour back and on again: what fired stays fired, the rest fires at its moment.
    run.Tick(Utc(2026, 12, 7, 19, 16), Utc(2026, 12, 7, 20, 40));
    run.ExpectFiredAt("Back", Utc(2026, 12, 7, 20, 35));
    EXPECT_EQ(run.Left(), 0u);
    run.ExpectEachOnceNeverEarly();
}

TEST_F(AlarmScheduleTest, TheFirstLookFiresWhatIsDueAndStillAhead)
{
    ClockRun run({Row("7.12.2026 (MA)", "20:03", "Ahead"), Row("7.12.2026 (MA)", "19:57", "Begun"),
                  Row("7.12.2026 (MA)", "20:10", "Later")});
    run.Tick(Utc(2026, 12, 7, 17, 58), Utc(2026, 12, 7, 18, 6));
    run.ExpectFiredAt("Ahead", Utc(2026, 12, 7, 17, 58));
    run.ExpectMissedAt("Begun", Utc(2026, 12, 7, 17, 58));
    run.ExpectFiredAt("Later", Utc(2026, 12, 7, 18, 5));
    run.ExpectEachOnceNeverEarly();
}

TEST_F(AlarmScheduleTest, RowsMadeLateFireWhileTheirProgrammeIsAheadAndOldOnesAreLeft)
{
    ClockRun run({});
    run.Tick(Utc(2026, 12, 7, 17, 58), Utc(2026, 12, 7, 18, 0));
    // Added (or edited) after its due moment, before its programme: fires at the next look.
    run.Add(Row("7.12.2026 (MA)", "20:03", "Ahead"));
    // Added after its programme began: shown as old, neither fired nor listed as missed.
    run.Add(Row("7.12.2026 (MA)", "19:30", "Old"));
    run.LookAt(Utc(2026, 12, 7, 18, 0, 30) * 1000);
    run.TickOn(Utc(2026, 12, 7, 18, 2));
    run.ExpectFiredAt("Ahead", Utc(2026, 12, 7, 18, 0, 30));
    EXPECT_EQ(run.Titles(), std::vector<AnsiString>{"Ahead"});
    EXPECT_EQ(run.Left(), 1u);
}

TEST_F(AlarmScheduleTest, RowsDueInOneSecondFireInListOrderAndUnreadableRowsNever)
{
    ClockRun run({Row("7.12.2026 (MA)", "20:01", "C"), Row("7.12.2026 (MA)", "20:00", "A"),
                  Row("8.12.2026 (TI)", "20:00", "Tomorrow"), Row("7.12.2026 (MA)", "20:00", "B"),
                  Row("7.12.2026 (MA)", "xx:00", "Bad"), Row("31.2.2026 (MA)", "20:00", "NoDay")});
    run.Tick(Utc(2026, 12, 7, 17, 54), Utc(2026, 12, 7, 17, 57));
    EXPECT_EQ(run.Titles(), (std::vector<AnsiString>{"A", "B", "C"}));
    run.ExpectFiredAt("B", Utc(2026, 12, 7, 17, 55));
    EXPECT_EQ(run.Left(), 3u);
}

TEST(AlarmLeadTest, LeadTimeStaysWithinAnHour)
{
    EXPECT_EQ(ClampLeadMinutes(-3), 0);
    // Both ends are kept as they are, and one past either is brought back to it.
    EXPECT_EQ(ClampLeadMinutes(-1), 0);
    EXPECT_EQ(ClampLeadMinutes(0), 0);
    EXPECT_EQ(ClampLeadMinutes(1), 1);
    EXPECT_EQ(ClampLeadMinutes(59), 59);
    EXPECT_EQ(ClampLeadMinutes(60), 59);
    EXPECT_EQ(ClampLeadMinutes(600), 59);
    const std::optional<AlarmMoments> moments = AlarmMomentsOf(Row("7.12.2026 (MA)", "20:00", "A"), 90);
    ASSERT_TRUE(moments);
    EXPECT_EQ(moments->start - moments->due, 59 * 60);
}

} // namespace
