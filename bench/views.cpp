// Building the "Taulukko (laaja)" page and the time line of one day, each in turn with loading
// the same days with LoadDayListing alone (the reading every view does first), pair by pair (see
// InTurn.h), for each channel count. Then the "Taulukko" and "Taulukko 2" pages with keyword
// colourings on, with the 7 MB settings file of 1,000 colourings in turn with the usual settings
// file: the steady page and the first page after a settings read, the large file's time over the
// usual one's as `ratio`.
#include "bench/InTurn.h"
#include "bench/SampleStore.h"
#include "bench/SettingsTurns.h"
#include "listings/ListingStore.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"

namespace {

using bench_store::kShownDate;

// The floor of a view: its days loaded, nothing more.
in_turn::Took LoadTheDays(int channels, TStringList& lines)
{
    return in_turn::TimeInProcess([&] {
        bool found = true;
        for (const auto& channel : bench_store::Channels(channels))
            found = LoadDayListing(channel.code, kShownDate, lines) && found;
        return found;
    });
}

void BM_BuildWideTableView(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    bench_store::SampleStore(channels, 1);
    const TStringList names = bench_store::ChannelNames(channels);
    TStringList lines;
    in_turn::MeasureInTurn(
        state,
        [&] {
            return in_turn::TimeInProcess(
                [&] { return BuildTableView(names, true, kShownDate, {}).page.Count() > 0; });
        },
        [&] { return LoadTheDays(channels, lines); }, "a day is missing");
    state.SetItemsProcessed(state.iterations() * channels);
}

void BM_BuildTimelineView(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    bench_store::SampleStore(channels, 1);
    const TStringList names = bench_store::ChannelNames(channels);
    TStringList items, descriptions, lines;
    in_turn::MeasureInTurn(
        state,
        [&] {
            return in_turn::TimeInProcess([&] {
                BuildTimelineView(names, kShownDate, {}, items, descriptions);
                return items.Count() > 0;
            });
        },
        [&] { return LoadTheDays(channels, lines); }, "a day is missing");
    state.SetItemsProcessed(state.iterations() * channels);
}

// The settings' colourings colour the news blue in both settings files.
template <bool nested>
void BM_ColouredTable(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    const TStringList names = bench_store::ChannelNames(channels);
    const auto build = [&names] {
        return nested ? BuildTable2View(names, false, kShownDate, {}) : BuildTableView(names, false, kShownDate, {});
    };
    settings_turns::MeasureLargeBesideUsual(
        state, channels, state.range(1) != 0, [&] { benchmark::DoNotOptimize(build().page.Count()); },
        [&] { return build().page.Text().find("<FONT COLOR=\"#0000FF\">Uutiset") != AnsiString::npos; });
    state.SetItemsProcessed(state.iterations() * channels);
}

BENCHMARK(BM_BuildWideTableView)->Apply(bench_store::ForEachChannelCount)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTimelineView)->Apply(bench_store::ForEachChannelCount)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColouredTable<false>)
    ->Name("BM_ColouredTable")
    ->Apply(settings_turns::SteadyAndFirstPages)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColouredTable<true>)
    ->Name("BM_ColouredTable2")
    ->Apply(settings_turns::SteadyAndFirstPages)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
