// Sample listings for benchmarks: a program folder per channel count and number of weeks, written
// on first use under the system's temporary folder and removed at exit, and the channel counts
// every figure that depends on the number of channels is measured for.
#pragma once
#include "listings/ChannelTable.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace bench_store {

// Wednesday of the first sample week, the day the views show.
constexpr const char* kShownDate = "11.2.2026";

// Runs a benchmark for 1, 4, 13 and 26 channels, so its figures show how it grows.
inline void ForEachChannelCount(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("channels");
    for (int channels : {1, 4, 13, 26})
        benchmark->Arg(channels);
}

// The first `channels` rows of the channel table.
inline std::span<const ChannelRow> Channels(int channels)
{
    return std::span<const ChannelRow>(ChannelTable).first(static_cast<std::size_t>(channels));
}

inline TStringList ChannelNames(int channels)
{
    TStringList names;
    for (const auto& channel : Channels(channels))
        names.Add(channel.name);
    return names;
}

// Their codes as numbers, as the listing files are named.
inline std::vector<int> ChannelCodes(int channels)
{
    std::vector<int> codes;
    for (const auto& channel : Channels(channels))
        codes.push_back(std::atoi(channel.code));
    return codes;
}

// The same names as the settings file lists the enabled channels: each followed by ';'.
inline AnsiString EnabledChannels(int channels)
{
    AnsiString enabled;
    for (const auto& channel : Channels(channels))
        enabled += AnsiString(channel.name) + ";";
    return enabled;
}

// Makes the program folder holding the first `channels` channels' listing files for `weeks`
// weeks from week 07 (Monday 9.2.2026) on the program's folder, and returns its path.
inline const std::string& SampleStore(int channels, int weeks)
{
    static std::map<std::pair<int, int>, std::unique_ptr<fixture::TempFolder>> stores;
    auto& store = stores[{channels, weeks}];
    if (!store) {
        store = std::make_unique<fixture::TempFolder>();
        ForceDirectories(store->Path() + "Tiedot");
        fixture::WriteSampleWeeks(store->Path() + "Tiedot/", ChannelCodes(channels), weeks);
    }
    SetExeFolder(store->Path());
    return store->Path();
}

} // namespace bench_store
