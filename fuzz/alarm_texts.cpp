// Feeds arbitrary texts to what the alarms read from files and listings: the action string of an
// alarm row (from "QEX.ALS"), programme lines of the views and search results, and a day text
// searched for keywords (from the downloaded listing files). Nothing may crash or read outside
// a line.
//   bytes before the first 0xFF: the keywords, ';'-ended; the rest: the text.
#include "alarms/AlarmEntry.h"
#include "alarms/AlarmFiring.h"
#include "alarms/AutoAlarms.h"
#include "listings/SettingEntries.h"
#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\xFF');
    const AnsiString keywords = split == std::string::npos ? AnsiString() : bytes.substr(0, split);
    const AnsiString text = split == std::string::npos ? bytes : bytes.substr(split + 1);

    ReadFiringPlan(text);
    const TDateTime day = EncodeDate(2026, 12, 7);
    for (const AnsiString& line : SplitLines(text)) {
        ListedProgramme programme;
        ProgrammeOfViewLine(line, day, "", programme);
        ProgrammeOfSearchLine(line, programme);
    }
    CandidatesOfDay("TV1", day, text, SemicolonList(keywords));
    return 0;
}
