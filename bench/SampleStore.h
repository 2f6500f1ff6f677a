// A data folder of sample listings for benchmarks: every channel of the table, whole weeks from
// Monday 9.2.2026 (week 7) on, written once per run beside a temporary program folder.
#pragma once
#include "listings/ChannelTable.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <cstdio>
#include <cstdlib>

namespace bench_store {

inline const fixture::TempFolder& SampleStore(int weeks)
{
    static fixture::TempFolder folder;
    static const bool written = [weeks] {
        SetExeFolder(folder.Path());
        ForceDirectories(folder.Path() + "Tiedot");
        for (int week = 0; week < weeks; ++week) {
            char weekText[8];
            std::snprintf(weekText, sizeof weekText, "%02d", 7 + week);
            for (const auto& channel : ChannelTable) {
                std::vector<std::vector<fixture::Programme>> days;
                for (int d = 0; d < 7; ++d)
                    days.push_back(fixture::SampleDay(7 * week + d + std::atoi(channel.code)));
                fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(channel.code), weekText, 2026, 2,
                                   9 + 7 * week, days);
            }
        }
        return true;
    }();
    (void)written;
    return folder;
}

} // namespace bench_store
