// Loading every day of 26 channels x 2 weeks, against reading the same files' bytes raw (the
// I/O floor) in the same run.
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ChannelCodes.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {


fixture::TempFolder& Store()
{
    static fixture::TempFolder folder;
    static bool written = [] {
        SetExeFolder(folder.Path());
        ForceDirectories(folder.Path() + "Tiedot");
        fixture::WriteSampleWeeks(folder.Path() + "Tiedot/", AllChannelCodes());
        return true;
    }();
    (void)written;
    return folder;
}

void BM_LoadEveryDay(benchmark::State& state)
{
    Store();
    TStringList lines;
    for (auto _ : state) {
        for (const auto& channel : ChannelTable)
            for (int day = 9; day < 23; ++day)
                benchmark::DoNotOptimize(LoadDayListing(channel.code, std::to_string(day) + ".2.2026", lines));
    }
    state.SetItemsProcessed(state.iterations() * 26 * 14);
}

// Every file read whole once per day it holds, as the loader opens it once per day.
void BM_ReadRawBytesFloor(benchmark::State& state)
{
    std::string data = Store().Path() + "Tiedot/";
    std::vector<std::string> paths;
    for (const auto& channel : ChannelTable)
        for (const char* week : {"07", "08"})
            paths.push_back(data + channel.code + "-" + week + ".QEX");
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        for (const auto& path : paths)
            for (int day = 0; day < 7; ++day) {
                int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
                while (read(fd, buffer.data(), buffer.size()) > 0) {
                }
                close(fd);
            }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 26 * 14);
}

BENCHMARK(BM_LoadEveryDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRawBytesFloor)->Unit(benchmark::kMillisecond);

} // namespace
