#include "listings/ListingStore.h"
#include "listings/Calendar.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr int kRecordsPerFile = 7;
constexpr std::int64_t kRecordHeaderSize = 8;

std::int32_t LittleEndian32(const unsigned char* bytes)
{
    std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                          (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

// Walks the records of one file looking for `wantedKey`. Every length is checked against what the
// file still holds, so a damaged or hostile record ends the walk instead of reading wildly.
std::optional<AnsiString> FindDayText(TStream& file, const AnsiString& wantedKey)
{
    std::int64_t left = file.Size();
    for (int record = 0; record < kRecordsPerFile; ++record) {
        unsigned char header[kRecordHeaderSize];
        if (left < kRecordHeaderSize || file.Read(header, kRecordHeaderSize) != kRecordHeaderSize)
            return std::nullopt;
        left -= kRecordHeaderSize;
        std::int32_t key = LittleEndian32(header);
        std::int32_t length = LittleEndian32(header + 4);
        if (length < 0 || length > left)
            return std::nullopt;
        if (IntToStr(key) == wantedKey) {
            AnsiString text(static_cast<std::size_t>(length), '\0');
            if (length > 0 && file.Read(text.data(), length) != length)
                return std::nullopt;
            return text;
        }
        file.Seek(length, soFromCurrent);
        left -= length;
    }
    return std::nullopt;
}

// The day as it is found in one file: the record's text, nullopt when the file lacks the day,
// or no value at all (false) when the file does not exist.
bool ReadDayFromFile(const AnsiString& path, const AnsiString& wantedKey, std::optional<AnsiString>& text)
{
    if (!FileExists(path))
        return false;
    TFileStream file(path, fmOpenRead | fmShareDenyNone);
    text = FindDayText(file, wantedKey);
    return true;
}

} // namespace

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
    bool anyFile = ReadDayFromFile(ListingFilePath(channelCode, ownWeek), wantedKey, text);
    if (!text && mondayWeek != ownWeek)
        anyFile = ReadDayFromFile(ListingFilePath(channelCode, mondayWeek), wantedKey, text) || anyFile;
    if (!anyFile)
        return false;
    if (!text) {
        target.Clear();
        return false;
    }
    target.SetText(*text + "\r\n\r\n");
    return true;
}

void ListFiles(const AnsiString& folder, const AnsiString& mask, TStrings& list)
{
    for (const AnsiString& name : FindFiles(folder, mask))
        list.Add(folder + name);
}
