// Building the "Taulukko (laaja)" page and the time line of 26 channels for one day, against
// loading the same 26 days with LoadDayListing alone (the reading every view does first).
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr const char* kShownDate = "11.2.2026";

fixture::TempFolder& Store()
{
    static fixture::TempFolder folder;
    static bool written = [] {
        SetExeFolder(folder.Path());
        ForceDirectories(folder.Path() + "Tiedot");
        for (const auto& channel : ChannelTable) {
            std::vector<std::vector<fixture::Programme>> days;
            for (int d = 0; d < 7; ++d)
                days.push_back(fixture::SampleDay(d + std::atoi(channel.code)));
            fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(channel.code), "07", 2026, 2, 9, days);
        }
        return true;
    }();
    (void)written;
    return folder;
}

TStringList AllChannels()
{
    TStringList channels;
    for (const auto& channel : ChannelTable)
        channels.Add(channel.name);
    return channels;
}

void BM_LoadTheDaysOnly(benchmark::State& state)
{
    Store();
    TStringList lines;
    for (auto _ : state)
        for (const auto& channel : ChannelTable)
            benchmark::DoNotOptimize(LoadDayListing(channel.code, kShownDate, lines));
    state.SetItemsProcessed(state.iterations() * 26);
}

void BM_BuildWideTableView(benchmark::State& state)
{
    Store();
    const TStringList channels = AllChannels();
    for (auto _ : state) {
        TableView view = BuildTableView(channels, true, kShownDate, {});
        benchmark::DoNotOptimize(view.page.Count());
    }
    state.SetItemsProcessed(state.iterations() * 26);
}

void BM_BuildTimelineView(benchmark::State& state)
{
    Store();
    const TStringList channels = AllChannels();
    TStringList items, descriptions;
    for (auto _ : state) {
        TimelineView view = BuildTimelineView(channels, kShownDate, {}, items, descriptions);
        benchmark::DoNotOptimize(items.Count());
    }
    state.SetItemsProcessed(state.iterations() * 26);
}

BENCHMARK(BM_LoadTheDaysOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildWideTableView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTimelineView)->Unit(benchmark::kMillisecond);

} // namespace
