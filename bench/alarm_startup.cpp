// Start-up of the real main window with 500 and with 5,000 alarms in "QEX.ALS": reading them into
// the alarm list, showing the window, the alarm view's sort and countdowns and one tick of the
// alarm clock; and a tick alone; each with 5,000 in turn with 500. The time with 5,000 must grow
// with the count (within 12 times that of 500).
#include "alarms/AlarmFile.h"
#include "app/Main.h"
#include "app/ProgramMain.h"
#include "bench/InTurn.h"
#include "bench/ProgramForBench.h"
#include "bench/WholeProcess.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <utility>

namespace {

const TDateTime kNow = EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0);

// A program folder whose alarm file holds `count` alarms ahead of `now`, in no order, spread over
// ten months.
void UseProgramFolderWith(int count, TDateTime now = kNow)
{
    static std::map<std::pair<int, double>, std::unique_ptr<fixture::TempFolder>> folders;
    std::unique_ptr<fixture::TempFolder>& folder = folders[{count, static_cast<double>(now)}];
    if (!folder) {
        folder = std::make_unique<fixture::TempFolder>();
        SetExeFolder(folder->Path());
        ForceDirectories(folder->Path() + "Tiedot");
        fixture::WriteBytes(folder->Path() + "QEX.INI",
                            cp1252::FromUtf8("[Muut]\r\nOletusNäkymä=Normaali\r\nPoistaVanhatTiedostot=0\r\n"));
        std::mt19937 random(static_cast<unsigned>(count));
        std::vector<AlarmRow> rows;
        for (int i = 0; i < count; ++i) {
            const TDateTime day = now + 1 + static_cast<int>(random() % 300);
            AlarmRow row;
            row.Caption = FormatDateTime("d.m.yyyy", day) + " (MA)";
            row.SubItems = {"TV1", FormatDateTime("hh:nn", EncodeTime(random() % 24, random() % 60, 0, 0)),
                            "Ohjelma " + IntToStr(i), "", "Kuvaus.", "#NRM #SHD:Normaali ilmoitus näytölle "_a};
            rows.push_back(row);
        }
        fixture::WriteBytes(AlarmFilePath(), AlarmFileText(rows));
    }
    SetExeFolder(folder->Path());
}

// The program's start-up settings and folder; a box would mean the measurement is wrong.
void PrepareProgram(int count)
{
    EnsureProgramInitialized();
    UseProgramFolderWith(count);
    ClockSet(kNow);
}

// The start-up with 5,000 alarms in turn with the one with 500, pair by pair: `ratio` is the
// growth.
void StartUpWithAlarms(benchmark::State& state)
{
    EnsureProgramInitialized();
    TApplication app;
    const auto startUp = [&app](int count) {
        PrepareProgram(count);
        const in_turn::Took took = in_turn::TimeInProcess([&app, count] {
            app.CreateForm(MainForm);
            MainForm->Show();
            QCoreApplication::processEvents();
            MainForm->AlarmlistColumnClick(nullptr, MainForm->Alarmlist->Columns()->Items(0));
            MainForm->AlarmsTimerTimer(nullptr);
            return MainForm->Alarmlist->Items()->Count() == count;
        });
        delete MainForm;
        QCoreApplication::processEvents();
        return took;
    };
    in_turn::MeasureInTurn(
        state, [&] { return startUp(5000); }, [&] { return startUp(500); }, "the alarms were not all listed");
}

// One tick of the alarm clock looks at every row: its cost must grow with the count too. The
// window with 5,000 alarms and the one with 500 take turns, pair by pair, each made untimed for
// its turn and timed over a run of ticks.
void TickWithAlarms(benchmark::State& state)
{
    constexpr int kTicks = 100;
    EnsureProgramInitialized();
    TApplication app;
    const auto ticks = [&app](int count) {
        PrepareProgram(count);
        app.CreateForm(MainForm);
        const in_turn::Took took = in_turn::TimeInProcess([] {
            for (int i = 0; i < kTicks; ++i)
                MainForm->AlarmsTimerTimer(nullptr);
            return true;
        });
        delete MainForm;
        QCoreApplication::processEvents();
        return took;
    };
    in_turn::MeasureInTurn(state, [&] { return ticks(5000); }, [&] { return ticks(500); });
    state.SetItemsProcessed(state.iterations() * kTicks);
}

// The whole program from exec to its first painted frame on a display, with no, 500 and 5,000
// alarms ahead of the real time, in turn with the reference: a bare Qt Widgets window built with
// the same flags.
void ProgramWithAlarmsToFirstPaint(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    // The system's date, not the program clock that the in-process cases set.
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    UseProgramFolderWith(count, EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
    whole_process::MeasureInTurn(state, {whole_process::ProgramIn(ExeFolder())}, {QEX_BARE_WINDOW, "700", "644"});
}

} // namespace

BENCHMARK(ProgramWithAlarmsToFirstPaint)
    ->Arg(0)
    ->Arg(500)
    ->Arg(5000)
    ->Iterations(11)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(TickWithAlarms)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWithAlarms)->UseManualTime()->Unit(benchmark::kMillisecond);
