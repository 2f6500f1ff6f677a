// Loading every day of two weeks, for each channel count, in two cases in turn with their floors,
// pair by pair (see InTurn.h): cold, the week files not read yet, beside reading each of the same
// files once (the least work that gives the same days); and cached, the week files read before,
// beside putting each day's lines, already in memory, into the list.
#include "bench/InTurn.h"
#include "bench/SampleStore.h"
#include "listings/ListingStore.h"
#include "listings/WeekFileCache.h"
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kWeeks = 2;

std::string DateText(int day)
{
    return std::to_string(day) + ".2.2026";
}

// Every day of every channel, as the views load them.
bool LoadEveryDay(int channels, TStringList& lines)
{
    bool found = true;
    for (const auto& channel : bench_store::Channels(channels))
        for (int day = 9; day < 9 + 7 * kWeeks; ++day)
            found = LoadDayListing(channel.code, DateText(day), lines) && found;
    return found;
}

// Every file read whole once.
bool ReadEachFileOnce(const std::vector<std::string>& paths, std::vector<char>& buffer)
{
    for (const auto& path : paths) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        while (read(fd, buffer.data(), buffer.size()) > 0) {
        }
        close(fd);
    }
    benchmark::ClobberMemory();
    return true;
}

std::vector<std::string> WeekFilePaths(int channels)
{
    const std::string data = bench_store::SampleStore(channels, kWeeks) + "Tiedot/";
    std::vector<std::string> paths;
    for (const auto& channel : bench_store::Channels(channels))
        for (const char* week : {"07", "08"})
            paths.push_back(data + channel.code + "-" + week + ".QEX");
    return paths;
}

// The week files' records dropped before each load, so each one reads its files again.
void BM_LoadEveryDayCold(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    const std::vector<std::string> paths = WeekFilePaths(channels);
    std::vector<char> buffer(1 << 20);
    TStringList lines;
    in_turn::MeasureInTurn(
        state,
        [&] {
            ForgetWeekFiles();
            return in_turn::TimeInProcess([&] { return LoadEveryDay(channels, lines); });
        },
        [&] { return in_turn::TimeInProcess([&] { return ReadEachFileOnce(paths, buffer); }); },
        "a day or a file is missing");
    state.SetItemsProcessed(state.iterations() * channels * 7 * kWeeks);
}

// The week files read before: what every look-up after the first costs.
void BM_LoadEveryDayCached(benchmark::State& state)
{
    const int channels = static_cast<int>(state.range(0));
    WeekFilePaths(channels);
    TStringList lines;
    std::vector<std::vector<AnsiString>> days;
    for (const auto& channel : bench_store::Channels(channels))
        for (int day = 9; day < 9 + 7 * kWeeks; ++day) {
            LoadDayListing(channel.code, DateText(day), lines);
            std::vector<AnsiString>& kept = days.emplace_back();
            for (int i = 0; i < lines.Count(); ++i)
                kept.push_back(lines[i]);
        }
    in_turn::MeasureInTurn(
        state, [&] { return in_turn::TimeInProcess([&] { return LoadEveryDay(channels, lines); }); },
        [&] {
            return in_turn::TimeInProcess([&] {
                for (const std::vector<AnsiString>& day : days)
                    lines.SetLines(day);
                benchmark::DoNotOptimize(lines.Count());
                return true;
            });
        },
        "a day is missing");
    state.SetItemsProcessed(state.iterations() * channels * 7 * kWeeks);
}

BENCHMARK(BM_LoadEveryDayCold)->Apply(bench_store::ForEachChannelCount)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadEveryDayCached)
    ->Apply(bench_store::ForEachChannelCount)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
