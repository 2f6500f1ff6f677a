// A click on a day tab of the real main window (the channel view of the day, keyword colourings
// on), with a 7 MB settings file of 1,000 colourings and 1,000 views in turn with the usual
// settings file, pair by pair: the steady click, and the first click after a settings read (the
// file just written, as the settings dialog leaves it). The settings are read once, so the large
// file's steady click may cost only what its colourings match; `ratio` is its time over the usual
// one's.
#include "app/Main.h"
#include "bench/ProgramForBench.h"
#include "bench/SettingsTurns.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Application.h"
#include <benchmark/benchmark.h>

namespace {

constexpr int kChannels = 4;

void DayClick(benchmark::State& state)
{
    EnsureProgramInitialized();
    bench_settings::UseProgramFolder(kChannels, false);
    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0));
    TApplication app;
    app.CreateForm(MainForm);
    MainForm->Show();
    QCoreApplication::processEvents();
    // Both clicks of a pair show the same day: days differ in what they cost.
    int clicks = 0;
    const auto click = [&clicks] {
        const int day = (clicks++ / 2) % 7;
        MainForm->ViikonPaivatTabs->SetTabIndex(day);
        MainForm->ViikonPaivaChange(nullptr);
        QCoreApplication::processEvents();
    };
    // Both files colour the news.
    const auto newsColoured = [&click] {
        click();
        for (int i = 0; i < MainForm->Ohjelmat->Count(); ++i)
            if (MainForm->Ohjelmat->Items()->Get(i).find("<c:clBlue>") != AnsiString::npos)
                return true;
        return false;
    };
    settings_turns::MeasureLargeBesideUsual(state, kChannels, state.range(0) != 0, click, newsColoured);
    delete MainForm;
    QCoreApplication::processEvents();
}

} // namespace

BENCHMARK(DayClick)->ArgName("first_click")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
