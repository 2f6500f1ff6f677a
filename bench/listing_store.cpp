// Loading every day of 26 channels x 2 weeks, against reading the same files' bytes raw (the
// I/O floor) in the same run.
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct Week {
    const char* text;
    int year, month, day;
};
constexpr Week kWeeks[] = {{"07", 2026, 2, 9}, {"08", 2026, 2, 16}};

fixture::TempFolder& Store()
{
    static fixture::TempFolder folder;
    static bool written = [] {
        SetExeFolder(folder.Path());
        ForceDirectories(folder.Path() + "Tiedot");
        for (const auto& channel : ChannelTable)
            for (const auto& week : kWeeks) {
                std::vector<std::vector<fixture::Programme>> days;
                for (int d = 0; d < 7; ++d)
                    days.push_back(fixture::SampleDay(d + std::atoi(channel.code)));
                fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(channel.code), week.text, week.year,
                                   week.month, week.day, days);
            }
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
        for (const auto& week : kWeeks)
            paths.push_back(data + channel.code + "-" + week.text + ".QEX");
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
