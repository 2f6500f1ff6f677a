// Start-up of the whole program, from exec to the first painted frame of its main window on a
// display, with two weeks of listing files, in turn with a bare Qt Widgets window of the same size
// built with the same flags; the same with a 7 MB settings file in turn with the usual one; and the
// what-is-on-now view in turn with loading the same days; for each channel count.
#include "app/NowOnAirRows.h"
#include "app/ProgramMain.h"
#include "app/WeekDates.h"
#include "bench/InTurn.h"
#include "bench/SampleSettings.h"
#include "bench/SampleStore.h"
#include "bench/WholeProcess.h"
#include "listings/ListingStore.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/forms/Modal.h"
#include "platform/core/Files.h"
#include "listings/Calendar.h"
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <cstdlib>
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
    const AnsiString enabled = bench_store::EnabledChannels(channels);
    fixture::WriteBytes(folder + "QEX.INI", "[Kanavat]\r\nKäytössä="_a + enabled +
                                                "\r\n[Muut]\r\nOletusNäkymä=Normaali\r\nPoistaVanhatTiedostot=0\r\n"_a);
}

// A program folder with the first `channels` channels enabled, the channel view by default, the
// usual settings file or the large one, and the listings of this week and the next, so that the
// program started at the real time shows a full day.
const std::string& ProgramFolderForNow(int channels, bool largeSettings = false)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<fixture::TempFolder>> folders;
    std::unique_ptr<fixture::TempFolder>& folder = folders[{channels, largeSettings}];
    if (!folder) {
        folder = std::make_unique<fixture::TempFolder>();
        const std::string data = folder->Path() + "Tiedot/";
        ForceDirectories(data);
        const TDateTime today = std::floor(static_cast<double>(Now()));
        for (int week = 0; week < 2; ++week) {
            const TDateTime monday = today - (DayOfWeek(today) + 5) % 7 + 7 * week;
            int y = 0, m = 0, d = 0;
            DecodeDate(monday, y, m, d);
            for (const auto& channel : bench_store::Channels(channels)) {
                std::vector<std::vector<fixture::Programme>> days;
                for (int day = 0; day < 7; ++day)
                    days.push_back(fixture::SampleDay(7 * week + day + std::atoi(channel.code)));
                fixture::WriteWeek(data, std::atoi(channel.code), ListingWeekText(monday), y, m, d, days);
            }
        }
        const AnsiString enabled = bench_store::EnabledChannels(channels);
        fixture::WriteBytes(folder->Path() + "QEX.INI", largeSettings ? bench_settings::LargeSettings(enabled)
                                                                       : bench_settings::UsualSettings(enabled));
        whole_process::ProgramIn(folder->Path());
    }
    return folder->Path();
}

// The program started in a folder of two weeks of listings, to the first paint of its main
// window, in turn with the bare reference: a Qt Widgets window of the main window's size, nothing
// else.
void BM_ProgramToFirstPaint(benchmark::State& state)
{
    const std::vector<std::string> argv = {ProgramFolderForNow(static_cast<int>(state.range(0))) + "qex"};
    whole_process::MeasureInTurn(state, argv, {QEX_BARE_WINDOW, "700", "644"});
}
BENCHMARK(BM_ProgramToFirstPaint)
    ->Apply(bench_store::ForEachChannelCount)
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// The floor under the ratio above: the bare window drawing one line of text, in turn with the bare
// window. The bare window loads no font at all; any window that shows text pays this much more.
void BM_OneLineWindowToFirstPaint(benchmark::State& state)
{
    whole_process::MeasureInTurn(state, {QEX_BARE_WINDOW, "700", "644", "TV1 10.00 Uutiset"},
                                 {QEX_BARE_WINDOW, "700", "644"});
}
BENCHMARK(BM_OneLineWindowToFirstPaint)->Iterations(15)->Unit(benchmark::kMillisecond)->UseManualTime();

// The program in turn with that one-line window: what the program costs beyond its fonts.
void BM_ProgramOverOneLineWindow(benchmark::State& state)
{
    const std::vector<std::string> argv = {ProgramFolderForNow(static_cast<int>(state.range(0))) + "qex"};
    whole_process::MeasureInTurn(state, argv, {QEX_BARE_WINDOW, "700", "644", "TV1 10.00 Uutiset"});
}
BENCHMARK(BM_ProgramOverOneLineWindow)
    ->Arg(26)
    ->ArgName("channels")
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// The same start with a settings file of 1,000 colourings and 1,000 views (about 7 MB), in turn
// with the start with the usual one: the cost of the settings must follow the file's size.
void BM_ProgramWithLargeSettingsToFirstPaint(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    whole_process::MeasureInTurn(state, {ProgramFolderForNow(channels, true) + "qex"},
                                 {ProgramFolderForNow(channels) + "qex"});
}
BENCHMARK(BM_ProgramWithLargeSettingsToFirstPaint)
    ->Arg(4)
    ->ArgName("channels")
    ->Iterations(9)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// The what-is-on-now view of every channel in turn with loading the same days (its floor: the view
// searches each one's listing three times), pair by pair.
void BM_NowOnAirView(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    ProgramFolder(channels);
    const AnsiString tvDate = CurrentTvDateText(Now());
    in_turn::MeasureInTurn(
        state,
        [&] {
            return in_turn::TimeInProcess([&] {
                TStringList items, descriptions;
                for (const auto& channel : bench_store::Channels(channels))
                    AddNowOnAirRows(channel.name, tvDate, items, descriptions);
                benchmark::DoNotOptimize(items.Count());
                return true;
            });
        },
        [&] {
            return in_turn::TimeInProcess([&] {
                TStringList lines;
                bool found = true;
                for (const auto& channel : bench_store::Channels(channels))
                    found = LoadDayListing(channel.code, tvDate, lines) && found;
                return found;
            });
        },
        "a day is missing");
}
BENCHMARK(BM_NowOnAirView)->Apply(bench_store::ForEachChannelCount)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
