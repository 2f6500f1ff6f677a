// Searching the stored listings of two weeks for a word, as the search command reads them (file
// list, records, pairs), against reading, folding and scanning the same files' bytes once, for
// each channel count.
#include "bench/SampleStore.h"
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "platform/core/Streams.h"

namespace {

constexpr int kWeeks = 2;

// The least work that finds the same places: each file read once, its bytes folded as the search
// folds them and scanned for the word.
void BM_ReadFoldScanFloor(benchmark::State& state)
{
    bench_store::SampleStore(static_cast<int>(state.range(0)), kWeeks);
    TStringList files;
    SearchedFiles("", files);
    const std::string word = FoldAsciiLetters("uutiset");
    std::string bytes;
    std::int64_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (int i = 0; i < files.Count(); ++i) {
            bytes = ReadWholeFile(files[i]);
            for (char& c : bytes)
                c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
            for (std::size_t at = bytes.find(word); at != std::string::npos; at = bytes.find(word, at + 1))
                ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * files.Count());
    state.counters["places"] = static_cast<double>(found);
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
            TMemoryStream file;
            LoadRecordBytes(list[i], file);
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

BENCHMARK(BM_ReadFoldScanFloor)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchEveryFile)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);

} // namespace
