#include "support/ListingFixture.h"
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>

namespace fixture {

namespace {

void AppendLittleEndian(std::string& out, std::int32_t value)
{
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// Civil date arithmetic without the program's own date code, so fixtures don't depend on it.
void AddDays(int& year, int& month, int& day, int days)
{
    std::tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day + days;
    tm.tm_hour = 12;
    std::time_t t = timegm(&tm);
    std::tm out {};
    gmtime_r(&t, &out);
    year = out.tm_year + 1900;
    month = out.tm_mon + 1;
    day = out.tm_mday;
}

} // namespace

std::string DayText(const std::vector<Programme>& programmes)
{
    std::string text;
    for (const auto& p : programmes)
        text += p.time + " " + p.title + "\r\n" + p.description + "\r\n";
    return text;
}

std::int32_t RecordKey(int year, int month, int day, int channelCode)
{
    return static_cast<std::int32_t>((year * 10000 + month * 100 + day) * 100 + channelCode);
}

std::string FileBytes(const std::vector<DayRecord>& records)
{
    std::string out;
    for (const auto& r : records) {
        AppendLittleEndian(out, r.key);
        AppendLittleEndian(out, static_cast<std::int32_t>(r.text.size()));
        out += r.text;
    }
    return out;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write fixture " + path);
}

void WriteWeek(const std::string& folder, int channelCode, const std::string& weekText, int mondayYear,
               int mondayMonth, int mondayDay, const std::vector<std::vector<Programme>>& days)
{
    std::vector<DayRecord> records;
    for (std::size_t i = 0; i < days.size(); ++i) {
        int y = mondayYear, m = mondayMonth, d = mondayDay;
        AddDays(y, m, d, static_cast<int>(i));
        records.push_back({RecordKey(y, m, d, channelCode), DayText(days[i])});
    }
    char code[12];
    std::snprintf(code, sizeof code, "%02d", channelCode);
    WriteBytes(folder + code + "-" + weekText + ".QEX", FileBytes(records));
}

std::vector<Programme> SampleDay(int seed)
{
    static const char* titles[] = {"Uutiset", "Huomenta Suomi", "Elokuva: Tuntematon sotilas",
                                   "Urheiluruutu", "Pikku Kakkonen", "Dokumentti: Saaristo",
                                   "S\xE4\xE4", "Ajankohtainen kakkonen", "Musiikkivideot"};
    std::vector<Programme> day;
    int minutes = 6 * 60;
    int i = seed;
    while (minutes < 29 * 60) {
        int h = (minutes / 60) % 24;
        int m = minutes % 60;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d", h, m);
        day.push_back({time, titles[i % 9], "Kuvaus ohjelmasta numero " + std::to_string(i) +
                                                 ", jossa on tavallisen mittainen esittelyteksti."});
        minutes += 25 + (i * 7) % 60;
        ++i;
    }
    return day;
}

void WriteSampleWeeks(const std::string& dataFolder, const std::vector<int>& channelCodes, int weeks)
{
    for (int week = 0; week < weeks; ++week) {
        int year = 2026, month = 2, monday = 9;
        AddDays(year, month, monday, 7 * week);
        char weekText[12];
        std::snprintf(weekText, sizeof weekText, "%02d", 7 + week);
        for (int code : channelCodes) {
            std::vector<std::vector<Programme>> days;
            for (int d = 0; d < 7; ++d)
                days.push_back(SampleDay(7 * week + d + code));
            WriteWeek(dataFolder, code, weekText, year, month, monday, days);
        }
    }
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    FPath = pattern + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

} // namespace fixture
