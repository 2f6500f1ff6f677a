// Reading an alarm file of 10 MB, intact alarms with junk between them, against reading the same
// bytes whole in the same run: the reader must stay within a small factor of the read itself.
#include "alarms/AlarmFile.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>
#include <random>

namespace {

fixture::TempFolder& ProgramFolder()
{
    static fixture::TempFolder folder;
    static bool written = [] {
        SetExeFolder(folder.Path());
        std::mt19937 random(7);
        std::string bytes;
        while (bytes.size() < 10u << 20) {
            bytes += "12.2.2027 (PE)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nP\xE4iv\xE4n uutiset.\r\n#NRM #PCS3 \r\n\r\n";
            // Lines that begin like alarms, and bytes of no shape at all.
            bytes += "1.3.2027 (MA)\r\nTV2\r\n21:00\r\n";
            for (int i = 0; i < 200; ++i)
                bytes += static_cast<char>(random() % 256);
            bytes += "\r\n";
        }
        fixture::WriteBytes(AlarmFilePath(), bytes);
        return true;
    }();
    (void)written;
    return folder;
}

const TDateTime kNow = EncodeDate(2026, 12, 7) + EncodeTime(19, 0, 0, 0);

void ReadDamagedAlarmFile(benchmark::State& state)
{
    ProgramFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAlarmFile(kNow));
}

void ReadTheSameBytesWhole(benchmark::State& state)
{
    ProgramFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWholeFile(AlarmFilePath()));
}

} // namespace

BENCHMARK(ReadDamagedAlarmFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadTheSameBytesWhole)->Unit(benchmark::kMillisecond);
