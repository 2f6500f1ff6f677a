// Start-up of the real main window to its first show with two weeks of listing files, against
// showing an empty Qt window of the same size in the same run; and the what-is-on-now view,
// against loading the same days; for each channel count.
#include "app/Main.h"
#include "app/NowOnAirRows.h"
#include "app/ProgramMain.h"
#include "app/WeekDates.h"
#include "bench/QtForBench.h"
#include "bench/SampleStore.h"
#include "listings/ListingStore.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A program folder with the first `channels` channels enabled, the channel view by default and
// two weeks of listings; the clock at Wednesday 11.2.2026 10:00.
void ProgramFolder(int channels)
{
    static const bool prepared = [] {
        MainInitialization();
        ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0));
        // Start-up with these files asks nothing; a box would mean the measurement is wrong.
        SetUnansweredModalReporter([](const AnsiString& box) {
            std::fprintf(stderr, "unexpected box: %s\n", box.c_str());
            std::abort();
        });
        return true;
    }();
    (void)prepared;
    const std::string& folder = bench_store::SampleStore(channels, 2);
    AnsiString enabled;
    for (const auto& channel : bench_store::Channels(channels))
        enabled += AnsiString(channel.name) + ";";
    fixture::WriteBytes(folder + "QEX.INI", "[Kanavat]\r\nKäytössä="_a + enabled +
                                                "\r\n[Muut]\r\nOletusNäkymä=Normaali\r\nPoistaVanhatTiedostot=0\r\n"_a);
}

// What the process holds after the measure: its resident memory, and whether the browser engine
// (loaded only with the first table) is in it.
void CountMemory(benchmark::State& state)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            state.counters["rss_MB"] = std::stod(line.substr(6)) / 1024;
    std::ifstream maps("/proc/self/maps");
    bool engine = false;
    for (std::string line; !engine && std::getline(maps, line);)
        engine = line.find("WebEngine") != std::string::npos;
    state.counters["engine_loaded"] = engine;
}

void BM_EmptyWindowFirstShow(benchmark::State& state)
{
    EnsureQt();
    for (auto _ : state) {
        QWidget window;
        window.resize(700, 644);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
    CountMemory(state);
}
BENCHMARK(BM_EmptyWindowFirstShow)->Unit(benchmark::kMillisecond);

void BM_MainWindowStartUpToFirstShow(benchmark::State& state)
{
    EnsureQt();
    ProgramFolder(static_cast<int>(state.range(0)));
    TApplication app;
    for (auto _ : state) {
        app.CreateForm(MainForm);
        MainForm->Show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(MainForm->Ohjelmat->Count());
        state.PauseTiming();
        delete MainForm;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    app.CreateForm(MainForm);
    MainForm->Show();
    QCoreApplication::processEvents();
    CountMemory(state);
    delete MainForm;
    QCoreApplication::processEvents();
}
BENCHMARK(BM_MainWindowStartUpToFirstShow)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);

void BM_LoadToday(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    ProgramFolder(channels);
    for (auto _ : state) {
        TStringList lines;
        for (const auto& channel : bench_store::Channels(channels))
            benchmark::DoNotOptimize(LoadDayListing(channel.code, bench_store::kShownDate, lines));
    }
}
BENCHMARK(BM_LoadToday)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMicrosecond);

void BM_NowOnAirView(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    ProgramFolder(channels);
    const AnsiString tvDate = CurrentTvDateText(Now());
    for (auto _ : state) {
        TStringList items, descriptions;
        for (const auto& channel : bench_store::Channels(channels))
            AddNowOnAirRows(channel.name, tvDate, items, descriptions);
        benchmark::DoNotOptimize(items.Count());
    }
}
BENCHMARK(BM_NowOnAirView)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMicrosecond);

} // namespace
