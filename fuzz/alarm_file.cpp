// Feeds arbitrary bytes to the alarm file reader as "QEX.ALS", then works every row it keeps as
// the alarm list would: its due second, its countdown and what firing it would do. Nothing may
// crash, hang or read outside a line.
// The same bytes then damage one record of an intact file (a line removed, replaced by the bytes,
// the bytes put in as lines, or the record cut short): every other record must still be read.
#include "alarms/AlarmFile.h"
#include "alarms/AlarmFiring.h"
#include "alarms/AlarmSchedule.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include "ScratchFolder.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const TDateTime kNow = EncodeDate(2026, 12, 7) + EncodeTime(19, 0, 0, 0);

AlarmFileContents ReadAsTheFile(const std::string& bytes)
{
    if (FILE* f = std::fopen((ScratchProgramFolder() + "QEX.ALS").c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return ReadAlarmFile(kNow);
}

void WorkTheRows(const AlarmFileContents& contents)
{
    for (const AlarmRow& row : contents.rows) {
        AlarmMomentsOf(row, 5);
        TDateTime start = 0;
        if (row.StartMoment(start))
            AlarmCountdownText(start, kNow);
        ReadFiringPlan(row.SubItems[afActions]);
    }
    AlarmFileText(contents.rows);
    DroppedAlarmsNotice(contents);
}

// A future alarm as the writer writes it; its texts can't be taken for another record's lines.
AlarmRow IntactRow(int i)
{
    AlarmRow row;
    row.Caption = IntToStr(1 + i) + ".3.2027 (MA)";
    row.SubItems = {"TV" + IntToStr(i), IntToStr(10 + i) + ":0" + IntToStr(i % 10), "Ohjelma " + IntToStr(i), "",
                    "Kuvaus " + IntToStr(i), "#NRM #PCS" + IntToStr(i % 10) + " "};
    return row;
}

std::vector<AnsiString> RecordLines(const AlarmRow& row)
{
    std::vector<AnsiString> lines = SplitLines(row.RecordText());
    lines.push_back("");
    return lines;
}

// Record `damaged` of `count` intact ones is changed as the first bytes say, by the rest.
void CheckOneDamagedRecordCostsOnlyItself(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return;
    const int count = 2 + data[0] % 5;
    const int damaged = data[1] % count;
    const int how = data[2] % 4;
    const std::size_t line = data[3] % 8;
    const std::string payload(reinterpret_cast<const char*>(data + 4), size - 4);
    std::string file;
    for (int i = 0; i < count; ++i) {
        std::vector<AnsiString> lines = RecordLines(IntactRow(i));
        if (i == damaged) {
            if (how == 0)
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
            else if (how == 1)
                lines[line] = payload;
            else if (how == 2)
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(line), payload);
            else
                lines.resize(line);
        }
        // Every line keeps its line break, so a damaged record never runs into the next one.
        for (const AnsiString& text : lines)
            file += text + "\r\n";
    }
    const AlarmFileContents contents = ReadAsTheFile(file);
    std::size_t next = 0;
    for (int i = 0; i < count; ++i) {
        if (i == damaged)
            continue;
        const AnsiString wanted = IntactRow(i).RecordText();
        while (next < contents.rows.size() && contents.rows[next].RecordText() != wanted)
            ++next;
        if (next == contents.rows.size()) {
            std::fprintf(stderr, "record %d lost after record %d was damaged (way %d, line %zu)\n", i, damaged, how,
                         line);
            std::abort();
        }
        ++next;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WorkTheRows(ReadAsTheFile(std::string(reinterpret_cast<const char*>(data), size)));
    CheckOneDamagedRecordCostsOnlyItself(data, size);
    return 0;
}
