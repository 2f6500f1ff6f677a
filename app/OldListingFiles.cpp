#include "app/OldListingFiles.h"
#include "listings/Calendar.h"
#include "listings/ListingStore.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <set>

namespace {

// How far ahead a week still counts as coming rather than as last year's.
constexpr int kDaysAhead = 8 * 7;

// Week numbers (and the files' week texts, which differ on Sundays and at New Year) of every day
// from a week ago to kDaysAhead days on.
std::set<int> KeptWeeks(TDateTime now)
{
    std::set<int> weeks;
    const TDateTime today = DateOf(now);
    for (int offset = -7; offset <= kDaysAhead; ++offset) {
        const TDateTime day = today + offset;
        weeks.insert(WeekNumber(day));
        // The file text of a Sunday names the week before; a week ago that would keep one
        // week too many.
        if (offset > -7)
            weeks.insert(StrToIntDef(ListingWeekText(day), -1));
    }
    return weeks;
}

} // namespace

int ListingFileWeek(const AnsiString& fileName)
{
    AnsiString rest = Copy(fileName, 4, static_cast<int>(fileName.size()));
    int dot = Pos(".", rest);
    if (dot > 0)
        rest = Copy(rest, 1, dot - 1);
    int week = 0;
    // Digits only: TryStrToInt would also take "$1F" or " 7".
    if (rest.empty() || rest.find_first_not_of("0123456789") != AnsiString::npos || !TryStrToInt(rest, week))
        return -1;
    return week;
}

bool IsOldListingWeek(int week, TDateTime now)
{
    return KeptWeeks(now).count(week) == 0;
}

std::vector<AnsiString> OldListingFiles(TDateTime now)
{
    const std::set<int> kept = KeptWeeks(now);
    std::vector<AnsiString> old;
    for (const AnsiString& name : FindFiles(DataFolder(), "*.QEX")) {
        int week = ListingFileWeek(name);
        if (week >= 0 && kept.count(week) == 0)
            old.push_back(DataFolder() + name);
    }
    return old;
}

void DeleteOldListingFiles(TDateTime now)
{
    for (const AnsiString& path : OldListingFiles(now))
        DeleteFile(path);
}
