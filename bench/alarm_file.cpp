// Reading an alarm file of 5 and 10 MB, intact alarms with junk between them, in turn with reading
// the same bytes whole: the reader's time grows with the size as the read's does.
#include "alarms/AlarmFile.h"
#include "bench/InTurn.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <random>

namespace {

// A program folder whose "QEX.ALS" holds `mebibytes` MiB.
void WriteAlarmFileOf(std::size_t mebibytes)
{
    static fixture::TempFolder folder;
    static std::size_t written = 0;
    if (written == mebibytes)
        return;
    SetExeFolder(folder.Path());
    std::mt19937 random(7);
    std::string bytes;
    while (bytes.size() < mebibytes << 20) {
        bytes += "12.2.2027 (PE)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nP\xE4iv\xE4n uutiset.\r\n#NRM #PCS3 \r\n\r\n";
        // Lines that begin like alarms, and bytes of no shape at all.
        bytes += "1.3.2027 (MA)\r\nTV2\r\n21:00\r\n";
        for (int i = 0; i < 200; ++i)
            bytes += static_cast<char>(random() % 256);
        bytes += "\r\n";
    }
    fixture::WriteBytes(AlarmFilePath(), bytes);
    written = mebibytes;
}

const TDateTime kNow = EncodeDate(2026, 12, 7) + EncodeTime(19, 0, 0, 0);

// The reader in turn with reading the same bytes whole, pair by pair.
void ReadDamagedAlarmFile(benchmark::State& state)
{
    WriteAlarmFileOf(static_cast<std::size_t>(state.range(0)));
    in_turn::MeasureInTurn(
        state,
        [] {
            return in_turn::TimeInProcess([] {
                benchmark::DoNotOptimize(ReadAlarmFile(kNow));
                return true;
            });
        },
        [] { return in_turn::TimeInProcess([] { return !ReadWholeFile(AlarmFilePath()).empty(); }); },
        "the alarm file is missing");
}

} // namespace

// Argument: the file's size in MiB.
BENCHMARK(ReadDamagedAlarmFile)->Arg(5)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);
