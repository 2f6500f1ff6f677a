#include "listings/ListingStore.h"
#include "listings/Calendar.h"
#include "listings/WeekFileCache.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"

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
