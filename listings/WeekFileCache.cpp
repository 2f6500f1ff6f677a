#include "listings/WeekFileCache.h"
#include "listings/ListingStore.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Files.h"
#include "platform/core/FolderWatch.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Strings.h"
#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kRecordsPerFile = 7;
constexpr std::size_t kRecordHeaderSize = 8;
constexpr std::int64_t kLargestListingFile = 64 * 1024 * 1024;
// Two weeks of every channel, the New Year files and room for a folder change.
constexpr std::size_t kKeptFiles = 128;

struct DayRecord {
    AnsiString key;
    std::vector<AnsiString> lines;
};

struct KeptFile {
    FileStamp identity;
    bool watched = false;           // its folder's watch reports every change
    std::vector<DayRecord> records; // up to the first damaged record
};

std::int32_t LittleEndian32(const unsigned char* bytes)
{
    std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                          (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

// Every length is checked against what the file still holds, so a damaged or hostile record ends
// the walk instead of reading wildly.
std::vector<DayRecord> DayRecords(std::string_view file)
{
    std::vector<DayRecord> records;
    std::size_t at = 0;
    for (int record = 0; record < kRecordsPerFile; ++record) {
        if (file.size() - at < kRecordHeaderSize)
            break;
        auto header = reinterpret_cast<const unsigned char*>(file.data() + at);
        std::int32_t key = LittleEndian32(header);
        std::int32_t length = LittleEndian32(header + 4);
        at += kRecordHeaderSize;
        if (length < 0 || static_cast<std::size_t>(length) > file.size() - at)
            break;
        const AnsiString text(file.substr(at, static_cast<std::size_t>(length)));
        records.push_back({IntToStr(key), DayTextLines(text + "\r\n\r\n")});
        at += static_cast<std::size_t>(length);
    }
    return records;
}

// The whole file in one read: a week of one channel is a few tens of kilobytes. Anything larger
// than a whole download could hold is not a listing file.
std::vector<DayRecord> ReadDayRecords(const AnsiString& path)
{
    TFileStream file(path, fmOpenRead | fmShareDenyNone);
    std::int64_t size = file.Size();
    if (size < 0 || size > kLargestListingFile)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::int64_t got = size == 0 ? 0 : file.Read(bytes.data(), size);
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    return DayRecords(bytes);
}

WeekFileDay FindIn(const std::vector<DayRecord>& records, const AnsiString& key, TStrings& target)
{
    for (const DayRecord& record : records)
        if (record.key == key) {
            target.SetLines(record.lines);
            return WeekFileDay::Found;
        }
    return WeekFileDay::NoDay;
}

// Files left alone for a while, as they are at start-up, are told apart by their times. A file
// changed moments ago has its folder watched, made at the first such file: the watch's kernel
// object makes the process's end wait. A change of anything in a watched folder (written,
// replaced, renamed, removed, its rights changed) or of the folder itself drops everything kept:
// changes come with a download, once a day at most, and reading the files again is cheap.
std::mutex keptLock;
std::unordered_map<AnsiString, KeptFile> kept;
std::unique_ptr<FolderWatch> watch;

bool WatchFolderOf(const AnsiString& path)
{
    if (!watch)
        watch = std::make_unique<FolderWatch>();
    return watch->Watch(ExtractFilePath(path)) >= 0;
}

} // namespace

WeekFileDay FindWeekFileDay(const AnsiString& path, const AnsiString& key, TStrings& target)
{
    std::lock_guard<std::mutex> guard(keptLock);
    if (watch && watch->Collect().Any())
        kept.clear();
    auto found = kept.find(path);
    if (found != kept.end() && found->second.watched)
        return FindIn(found->second.records, key, target);

    FileStamp identity;
    if (!StampOfPath(path, identity)) {
        kept.erase(path);
        return WeekFileDay::NoFile;
    }
    if (found != kept.end() && found->second.identity == identity)
        return FindIn(found->second.records, key, target);

    // Both are decided before the bytes are read. A settled file's times, read before the bytes,
    // move with any change after them; a watch set then reports a change after the reading.
    const bool settled = StampSettled(identity);
    const bool watched = !settled && WatchFolderOf(path);
    std::vector<DayRecord> records = ReadDayRecords(path);
    const WeekFileDay day = FindIn(records, key, target);
    if (!settled && !watched) {
        kept.erase(path);
        return day;
    }
    if (kept.size() >= kKeptFiles)
        kept.clear();
    kept[path] = {identity, watched, std::move(records)};
    return day;
}

void ForgetWeekFiles()
{
    std::lock_guard<std::mutex> guard(keptLock);
    kept.clear();
}
