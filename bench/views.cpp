// Building the "Taulukko (laaja)" page and the time line of one day, against loading the same
// days with LoadDayListing alone (the reading every view does first), for each channel count.
#include "bench/SampleStore.h"
#include "listings/ListingStore.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"

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

BENCHMARK(BM_LoadTheDaysOnly)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildWideTableView)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTimelineView)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);

} // namespace
