#include "listings/ListingStore.h"
#include "listings/Calendar.h"
#include "listings/WeekFileCache.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <cstring>

namespace {

// Fills target with the day as found in one file, setting found, or leaves it as it is when the
// file lacks the day; false when the file does not exist.
bool ReadDayFromFile(const AnsiString& channelCode, const AnsiString& weekText, const AnsiString& wantedKey,
                     TStrings& target, bool& found)
{
    WeekFileDay day = FindWeekFileDay(DataFolder() + channelCode + "-" + weekText + ".QEX", wantedKey, target);
    if (day == WeekFileDay::NoFile)
        day = FindWeekFileDay(ListingFilePath(channelCode, weekText), wantedKey, target);
    found = day == WeekFileDay::Found;
    return day != WeekFileDay::NoFile;
}

} // namespace

bool DayTextLineReader::Next(std::string_view& line)
{
    const std::size_t size = FText.size();
    if (FAt >= size)
        return false;
    const char* begin = FText.data() + FAt;
    const char* end = FText.data() + size;
    auto newline = static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
    const char* limit = newline ? newline : end;
    auto cr = static_cast<const char*>(std::memchr(begin, '\r', static_cast<std::size_t>(limit - begin)));
    const char* lineEnd = cr ? cr : limit;
    auto nul = static_cast<const char*>(std::memchr(begin, '\0', static_cast<std::size_t>(lineEnd - begin)));
    line = std::string_view(begin, static_cast<std::size_t>((nul ? nul : lineEnd) - begin));
    FAt = static_cast<std::size_t>(lineEnd - FText.data());
    if (FAt < size && FText[FAt] == '\r')
        ++FAt;
    if (FAt < size && FText[FAt] == '\n')
        ++FAt;
    return true;
}

std::vector<AnsiString> DayTextLines(std::string_view text)
{
    std::vector<AnsiString> lines;
    DayTextLineReader reader(text);
    for (std::string_view line; reader.Next(line);)
        lines.emplace_back(line);
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

    bool found = false;
    bool anyFile = ReadDayFromFile(channelCode, ownWeek, wantedKey, target, found);
    if (!found && mondayWeek != ownWeek)
        anyFile = ReadDayFromFile(channelCode, mondayWeek, wantedKey, target, found) || anyFile;
    if (anyFile && !found)
        target.Clear();
    return found;
}

void ListFiles(const AnsiString& folder, const AnsiString& mask, TStrings& list)
{
    for (const AnsiString& name : FindFiles(folder, mask))
        list.Add(folder + name);
}
