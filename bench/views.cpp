// Building the "Taulukko (laaja)" page and the time line of one day, against loading the same
// days with LoadDayListing alone (the reading every view does first), for each channel count.
// Then the "Taulukko" and "Taulukko 2" pages with keyword colourings on, with the 7 MB settings
// file of 1,000 colourings against the usual settings file: the large case runs second and
// reports its time over the usual case's as `ratio`.
#include "bench/SampleSettings.h"
#include "bench/SampleStore.h"
#include "listings/ListingStore.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"
#include <chrono>
#include <algorithm>

namespace {

using bench_store::kShownDate;

void BM_LoadTheDaysOnly(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    bench_store::SampleStore(channels, 1);
    TStringList lines;
    for (auto _ : state)
        for (const auto& channel : bench_store::Channels(channels))
            benchmark::DoNotOptimize(LoadDayListing(channel.code, kShownDate, lines));
    state.SetItemsProcessed(state.iterations() * channels);
}

void BM_BuildWideTableView(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    bench_store::SampleStore(channels, 1);
    const TStringList names = bench_store::ChannelNames(channels);
    for (auto _ : state) {
        TableView view = BuildTableView(names, true, kShownDate, {});
        benchmark::DoNotOptimize(view.page.Count());
    }
    state.SetItemsProcessed(state.iterations() * channels);
}

void BM_BuildTimelineView(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    bench_store::SampleStore(channels, 1);
    const TStringList names = bench_store::ChannelNames(channels);
    TStringList items, descriptions;
    for (auto _ : state) {
        TimelineView view = BuildTimelineView(names, kShownDate, {}, items, descriptions);
        benchmark::DoNotOptimize(items.Count());
    }
    state.SetItemsProcessed(state.iterations() * channels);
}

// The usual or the large settings beside the sample listings while a case runs; the settings
// enable four channels, as the file's size is what is measured. The other cases run without them.
class ColouredSettings {
public:
    ColouredSettings(int channels, bool large) : FPath(bench_store::SampleStore(channels, 1) + "QEX.INI")
    {
        const AnsiString enabled = bench_store::EnabledChannels(4);
        fixture::WriteBytes(FPath, large ? bench_settings::LargeSettings(enabled) : bench_settings::UsualSettings(enabled));
    }
    ~ColouredSettings() { DeleteFile(FPath); }
    ColouredSettings(const ColouredSettings&) = delete;
    ColouredSettings& operator=(const ColouredSettings&) = delete;

private:
    std::string FPath;
};

// The page is built once before the timing, so the settings are read and their colourings made
// as for any first page (`first_ms`, the file's reading included); what is timed is each page after
// that.
template <bool nested>
void BM_ColouredTable(benchmark::State& state)
{
    static std::map<int, double> usualSeconds;
    const int channels = static_cast<int>(state.range(0));
    const bool large = state.range(1) != 0;
    const ColouredSettings settings(channels, large);
    const TStringList names = bench_store::ChannelNames(channels);
    const auto build = [&names] {
        return nested ? BuildTable2View(names, false, kShownDate, {}) : BuildTableView(names, false, kShownDate, {});
    };
    const auto first = std::chrono::steady_clock::now();
    if (build().page.Text().find("<FONT COLOR=\"#0000FF\">Uutiset") == AnsiString::npos)
        state.SkipWithError("the news are not coloured");
    const auto start = std::chrono::steady_clock::now();
    state.counters["first_ms"] = std::chrono::duration<double, std::milli>(start - first).count();
    for (auto _ : state) {
        TableView view = build();
        benchmark::DoNotOptimize(view.page.Count());
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    const double perPage = spent.count() / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    if (!large)
        usualSeconds[channels] = perPage;
    else if (usualSeconds[channels] > 0)
        state.counters["ratio"] = perPage / usualSeconds[channels];
    state.SetItemsProcessed(state.iterations() * channels);
}

void UsualThenLarge(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"channels", "large"});
    for (int channels : {4, 26})
        for (int large : {0, 1})
            benchmark->Args({channels, large});
}

BENCHMARK(BM_LoadTheDaysOnly)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildWideTableView)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTimelineView)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColouredTable<false>)->Name("BM_ColouredTable")->Apply(UsualThenLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColouredTable<true>)->Name("BM_ColouredTable2")->Apply(UsualThenLarge)->Unit(benchmark::kMillisecond);

} // namespace
