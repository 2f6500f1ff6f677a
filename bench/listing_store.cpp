// Loading every day of two weeks, against reading each of the same files once (the least work
// that gives the same days) in the same run, for each channel count.
#include "bench/SampleStore.h"
#include "listings/ListingStore.h"
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kWeeks = 2;

void BM_LoadEveryDay(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    bench_store::SampleStore(channels, kWeeks);
    TStringList lines;
    for (auto _ : state) {
        for (const auto& channel : bench_store::Channels(channels))
            for (int day = 9; day < 9 + 7 * kWeeks; ++day)
                benchmark::DoNotOptimize(LoadDayListing(channel.code, std::to_string(day) + ".2.2026", lines));
    }
    state.SetItemsProcessed(state.iterations() * channels * 7 * kWeeks);
}

// Every file read whole once.
void BM_ReadEachFileOnceFloor(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    const std::string data = bench_store::SampleStore(channels, kWeeks) + "Tiedot/";
    std::vector<std::string> paths;
    for (const auto& channel : bench_store::Channels(channels))
        for (const char* week : {"07", "08"})
            paths.push_back(data + channel.code + "-" + week + ".QEX");
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        for (const auto& path : paths) {
            int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
            while (read(fd, buffer.data(), buffer.size()) > 0) {
            }
            close(fd);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * channels * 7 * kWeeks);
}

BENCHMARK(BM_LoadEveryDay)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEachFileOnceFloor)->Apply(bench_store::ForEachChannelCount)->Unit(benchmark::kMillisecond);

} // namespace
