#include "listings/ListingStore.h"
#include "listings/Calendar.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <cstdint>
#include <algorithm>
#include <string_view>
#include <optional>

namespace {

constexpr int kRecordsPerFile = 7;
constexpr std::size_t kRecordHeaderSize = 8;
constexpr std::int64_t kLargestListingFile = 64 * 1024 * 1024;

std::int32_t LittleEndian32(const unsigned char* bytes)
{
    std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                          (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

// Walks the records of one file looking for `wantedKey`. Every length is checked against what the
// file still holds, so a damaged or hostile record ends the walk instead of reading wildly.
std::optional<AnsiString> FindDayText(std::string_view file, const AnsiString& wantedKey)
{
    std::size_t at = 0;
    for (int record = 0; record < kRecordsPerFile; ++record) {
        if (file.size() - at < kRecordHeaderSize)
            return std::nullopt;
        auto header = reinterpret_cast<const unsigned char*>(file.data() + at);
        std::int32_t key = LittleEndian32(header);
        std::int32_t length = LittleEndian32(header + 4);
        at += kRecordHeaderSize;
        if (length < 0 || static_cast<std::size_t>(length) > file.size() - at)
            return std::nullopt;
        if (IntToStr(key) == wantedKey)
            return AnsiString(file.substr(at, static_cast<std::size_t>(length)));
        at += static_cast<std::size_t>(length);
    }
    return std::nullopt;
}

// The whole file in one read: a week of one channel is a few tens of kilobytes. Anything larger
// than a whole download could hold is not a listing file.
std::optional<std::string> ReadListingFile(const AnsiString& path)
{
    TFileStream file(path, fmOpenRead | fmShareDenyNone);
    std::int64_t size = file.Size();
    if (size < 0 || size > kLargestListingFile)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::int64_t got = size == 0 ? 0 : file.Read(bytes.data(), size);
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    return bytes;
}

// Fills `text` with the day as found in one file, or leaves it empty when the file lacks the day;
// false when the file does not exist.
bool ReadDayFromFile(const AnsiString& channelCode, const AnsiString& weekText, const AnsiString& wantedKey,
                     std::optional<AnsiString>& text)
{
    AnsiString path = DataFolder() + channelCode + "-" + weekText + ".QEX";
    if (!FileExists(path)) {
        path = ListingFilePath(channelCode, weekText);
        if (!FileExists(path))
            return false;
    }
    std::optional<std::string> bytes = ReadListingFile(path);
    text = bytes ? FindDayText(*bytes, wantedKey) : std::nullopt;
    return true;
}

} // namespace

std::vector<AnsiString> DayTextLines(std::string_view text)
{
    std::vector<AnsiString> lines = SplitLines(text);
    for (AnsiString& line : lines)
        if (std::size_t nul = line.find('\0'); nul != AnsiString::npos)
            line.resize(nul);
    return lines;
}

AnsiString DataFolder()
{
    return ExeFolder() + "Tiedot/";
}

AnsiString ListingFilePath(const AnsiString& channelCode, const AnsiString& weekText)
{
    return ResolveIgnoringCase(DataFolder(), channelCode + "-" + weekText + ".QEX");
}

bool LoadDayListing(const AnsiString& channelCode, const AnsiString& dateText, TStrings& target)
{
    TDateTime date = StrToDate(dateText);
    AnsiString wantedKey = FormatDateTime("yyyymmdd", date) + channelCode;

    // Days of the week that spans New Year are also in the file named by their Monday's week,
    // which is the file the download asks for; within one year both names are the same.
    AnsiString ownWeek = ListingWeekText(date);
    AnsiString mondayWeek = ListingWeekText(IncDay(date, 1 - DayIndex(false, date)));

    std::optional<AnsiString> text;
    bool anyFile = ReadDayFromFile(channelCode, ownWeek, wantedKey, text);
    if (!text && mondayWeek != ownWeek)
        anyFile = ReadDayFromFile(channelCode, mondayWeek, wantedKey, text) || anyFile;
    if (!anyFile)
        return false;
    if (!text) {
        target.Clear();
        return false;
    }
    target.SetLines(DayTextLines(*text + "\r\n\r\n"));
    return true;
}

void ListFiles(const AnsiString& folder, const AnsiString& mask, TStrings& list)
{
    for (const AnsiString& name : FindFiles(folder, mask))
        list.Add(folder + name);
}
