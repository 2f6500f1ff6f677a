// The programme on air now in a day of 50,000 lines (a damaged or hostile listing file), in turn
// with reading the same lines once.
#include "bench/InTurn.h"
#include "listings/ListingStore.h"
#include "listings/NowOnAir.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include "support/TestEnvironment.h"
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr const char* kChannelCode = "01";
constexpr const char* kDate = "11.2.2026";
constexpr int kLines = 50000;

// Wednesday of week 7 holds 25,000 programmes through the day; the clock stands at 22:00, so the
// search walks most of the day.
void WriteLongDay()
{
    static fixture::TempFolder folder;
    static const bool written = [] {
        PrepareTestEnvironment();
        SetExeFolder(folder.Path());
        ForceDirectories(folder.Path() + "Tiedot");
        std::vector<fixture::Programme> day;
        for (int i = 0; i < kLines / 2; ++i) {
            const int minute = 6 * 60 + i * (18 * 60) / (kLines / 2);
            char time[8];
            std::snprintf(time, sizeof time, "%02d:%02d", minute / 60, minute % 60);
            day.push_back({time, "Ohjelma " + std::to_string(i), "Kuvaus " + std::to_string(i)});
        }
        std::vector<std::vector<fixture::Programme>> week(7);
        week[2] = day;
        fixture::WriteWeek(folder.Path() + "Tiedot/", 1, "07", 2026, 2, 9, week);
        ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(22, 0, 0, 0));
        return true;
    }();
    (void)written;
}

// The search in turn with reading the same lines once, pair by pair.
void BM_GetNowOnAir(benchmark::State& state)
{
    WriteLongDay();
    in_turn::MeasureInTurn(
        state,
        [] { return in_turn::TimeInProcess([] { return !GetNowOnAir(kChannelCode, kDate, false, false).empty(); }); },
        [] {
            return in_turn::TimeInProcess([] {
                TStringList lines;
                return LoadDayListing(kChannelCode, kDate, lines);
            });
        },
        "nothing found on air");
}
BENCHMARK(BM_GetNowOnAir)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
