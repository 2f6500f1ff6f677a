// Searching the stored listings of two weeks for a word, as the search command reads them (file
// list, records, pairs), against reading the same files raw, for each channel count.
#include "bench/SampleStore.h"
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "platform/core/Streams.h"

namespace {

constexpr int kWeeks = 2;

void BM_ReadTheFilesRaw(benchmark::State& state)
{
    bench_store::SampleStore(static_cast<int>(state.range(0)), kWeeks);
    TStringList files;
    SearchedFiles("", files);
    for (auto _ : state)
        for (int i = 0; i < files.Count(); ++i)
            benchmark::DoNotOptimize(ReadWholeFile(files[i]).size());
    state.SetItemsProcessed(state.iterations() * files.Count());
}

void BM_SearchEveryFile(benchmark::State& state)
{
    bench_store::SampleStore(static_cast<int>(state.range(0)), kWeeks);
    const AnsiString folded = FoldAsciiLetters("uutiset");
    std::vector<SearchHit> hits;
    std::int64_t files = 0;
    for (auto _ : state) {
        hits.clear();
        TStringList list;
        SearchedFiles("", list);
        for (int i = 0; i < list.Count(); ++i) {
            TFileStream file(list[i], fmOpenRead | fmShareDenyNone);
            ListingRecordReader records(file);
            while (records.Next() == ListingRecordReader::Step::Record)
                SearchDayText(records.Key(), records.Text(), folded, hits);
        }
        files += list.Count();
        benchmark::DoNotOptimize(hits.size());
    }
    state.SetItemsProcessed(files);
    state.counters["hits"] = static_cast<double>(hits.size());
}

BENCHMARK(BM_ReadTheFilesRaw)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchEveryFile)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);

} // namespace
