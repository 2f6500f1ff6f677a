// Start-up of the real main window to its first show with 26 channels x 2 weeks of listing files,
// against showing an empty Qt window of the same size in the same run; and the what-is-on-now
// view of 26 channels, against loading the same 26 days.
#include "app/Main.h"
#include "app/NowOnAirRows.h"
#include "app/ProgramMain.h"
#include "app/WeekDates.h"
#include "bench/QtForBench.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"
#include "support/ChannelCodes.h"
#include "support/ListingFixture.h"
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A program folder with every channel enabled, the channel view by default and two weeks of
// listings; the clock at Wednesday 11.2.2026 10:00.
fixture::TempFolder& ProgramFolder()
{
    static fixture::TempFolder folder;
    static bool written = [] {
        SetExeFolder(folder.Path());
        ForceDirectories(folder.Path() + "Tiedot");
        fixture::WriteSampleWeeks(folder.Path() + "Tiedot/", AllChannelCodes());
        fixture::WriteBytes(folder.Path() + "QEX.INI",
                            cp1252::FromUtf8("[Muut]\r\nOletusNäkymä=Normaali\r\nPoistaVanhatTiedostot=0\r\n"));
        MainInitialization();
        ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0));
        // Start-up with these files asks nothing; a box would mean the measurement is wrong.
        SetUnansweredModalReporter([](const AnsiString& box) {
            std::fprintf(stderr, "unexpected box: %s\n", box.c_str());
            std::abort();
        });
        return true;
    }();
    (void)written;
    return folder;
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
    ProgramFolder();
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
BENCHMARK(BM_MainWindowStartUpToFirstShow)->Unit(benchmark::kMillisecond);

void BM_LoadTodayOf26Channels(benchmark::State& state)
{
    ProgramFolder();
    for (auto _ : state) {
        TStringList lines;
        for (const auto& channel : ChannelTable)
            benchmark::DoNotOptimize(LoadDayListing(channel.code, "11.2.2026", lines));
    }
}
BENCHMARK(BM_LoadTodayOf26Channels)->Unit(benchmark::kMicrosecond);

void BM_NowOnAirViewOf26Channels(benchmark::State& state)
{
    ProgramFolder();
    const AnsiString tvDate = CurrentTvDateText(Now());
    for (auto _ : state) {
        TStringList items, descriptions;
        for (const auto& channel : ChannelTable)
            AddNowOnAirRows(channel.name, tvDate, items, descriptions);
        benchmark::DoNotOptimize(items.Count());
    }
}
BENCHMARK(BM_NowOnAirViewOf26Channels)->Unit(benchmark::kMicrosecond);

} // namespace
