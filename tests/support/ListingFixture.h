// Writes weekly listing files in the exact byte layout the program reads, for tests and benchmarks.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fixture {

struct Programme {
    std::string time;        // "hh:nn"
    std::string title;       // Windows-1252
    std::string description; // one line, may be empty
};

struct DayRecord {
    std::int32_t key = 0;    // yyyymmdd * 100 + channel code
    std::string text;        // raw day text
};

// Day text of programme and description lines, CR LF after every line.
std::string DayText(const std::vector<Programme>& programmes);
// Key of a day record: the digits of yyyymmdd followed by the two-digit channel code.
std::int32_t RecordKey(int year, int month, int day, int channelCode);
// The file bytes: each record as little-endian key, little-endian length, text.
std::string FileBytes(const std::vector<DayRecord>& records);
// Writes a whole week (Monday first) of `channelCode` into folder/CC-WW.QEX; days[i] is Monday + i.
void WriteWeek(const std::string& folder, int channelCode, const std::string& weekText, int mondayYear,
               int mondayMonth, int mondayDay, const std::vector<std::vector<Programme>>& days);
void WriteBytes(const std::string& path, const std::string& bytes);

// A plausible day of programmes from 06:00 running past midnight, for volume tests.
std::vector<Programme> SampleDay(int seed);
// `weeks` weeks of sample days from week 07 (Monday 9.2.2026) on for every channel code, into
// dataFolder (ending with '/'): the volume the benchmarks load.
void WriteSampleWeeks(const std::string& dataFolder, const std::vector<int>& channelCodes, int weeks);

// A fresh folder under the system's temporary folder, removed by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return FPath; } // ends with '/'
private:
    std::string FPath;
};

} // namespace fixture
