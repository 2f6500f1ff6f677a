// A click on a day tab of the real main window (the channel view of the day, keyword colourings
// on), with a 7 MB settings file of 1,000 colourings and 1,000 views against the usual settings
// file: the settings are read once, so the large file may cost only what its colourings match.
// The large case runs second and reports its time over the usual case's as `ratio`.
#include "app/Main.h"
#include "bench/ProgramForBench.h"
#include "bench/SampleSettings.h"
#include "bench/SampleStore.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Application.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>

namespace {

// A program folder with four channels' listings of two weeks and the usual or the large settings.
void UseProgramFolder(bool largeSettings)
{
    static fixture::TempFolder folders[2];
    fixture::TempFolder& folder = folders[largeSettings];
    if (!FileExists(folder.Path() + "QEX.INI")) {
        ForceDirectories(folder.Path() + "Tiedot");
        fixture::WriteSampleWeeks(folder.Path() + "Tiedot/", bench_store::ChannelCodes(4), 2);
        const AnsiString enabled = bench_store::EnabledChannels(4);
        fixture::WriteBytes(folder.Path() + "QEX.INI", largeSettings ? bench_settings::LargeSettings(enabled)
                                                                      : bench_settings::UsualSettings(enabled));
    }
    SetExeFolder(folder.Path());
}

void DayClick(benchmark::State& state)
{
    static double usualSeconds = 0;
    const bool large = state.range(0) != 0;
    EnsureProgramInitialized();
    UseProgramFolder(large);
    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0));
    TApplication app;
    app.CreateForm(MainForm);
    MainForm->Show();
    QCoreApplication::processEvents();
    int day = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        day = (day + 1) % 7;
        MainForm->ViikonPaivatTabs->SetTabIndex(day);
        MainForm->ViikonPaivaChange(nullptr);
        QCoreApplication::processEvents();
        if (MainForm->Ohjelmat->Count() == 0)
            state.SkipWithError("the day showed no programmes");
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    const double perClick = spent.count() / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    delete MainForm;
    QCoreApplication::processEvents();
    if (!large)
        usualSeconds = perClick;
    else if (usualSeconds > 0)
        state.counters["ratio"] = perClick / usualSeconds;
}

} // namespace

BENCHMARK(DayClick)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
