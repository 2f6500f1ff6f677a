// Feeds arbitrary bytes to the alarm file reader as "QEX.ALS", then works every row it keeps as
// the alarm list would: its due second, its countdown and what firing it would do. Nothing may
// crash, hang or read outside a line.
#include "alarms/AlarmFile.h"
#include "alarms/AlarmFiring.h"
#include "alarms/AlarmSchedule.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& Folder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/qex-fuzz-alarms-XXXXXX";
        std::string path = std::string(mkdtemp(pattern)) + "/";
        SetExeFolder(path);
        return path;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (FILE* f = std::fopen((Folder() + "QEX.ALS").c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    const TDateTime now = EncodeDate(2026, 12, 7) + EncodeTime(19, 0, 0, 0);
    const AlarmFileContents contents = ReadAlarmFile(now);
    for (const AlarmRow& row : contents.rows) {
        AlarmMomentsOf(row, 5);
        TDateTime start = 0;
        if (row.StartMoment(start))
            AlarmCountdownText(start, now);
        ReadFiringPlan(row.SubItems[afActions]);
    }
    AlarmFileText(contents.rows);
    return 0;
}
