// Searching the stored listings of 26 channels x 2 weeks for a word, as the search command reads
// them (file list, records, pairs), against reading the same files raw.
#include "SampleStore.h"
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include <benchmark/benchmark.h>

namespace {

constexpr int kWeeks = 2;

void BM_ReadTheFilesRaw(benchmark::State& state)
{
    bench_store::SampleStore(kWeeks);
    TStringList files;
    SearchedFiles("", files);
    for (auto _ : state)
        for (int i = 0; i < files.Count(); ++i)
            benchmark::DoNotOptimize(ReadWholeFile(files[i]).size());
    state.SetItemsProcessed(state.iterations() * files.Count());
}

void BM_SearchEveryFile(benchmark::State& state)
{
    bench_store::SampleStore(kWeeks);
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

BENCHMARK(BM_ReadTheFilesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchEveryFile)->Unit(benchmark::kMillisecond);

} // namespace
