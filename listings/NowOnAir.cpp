#include "listings/NowOnAir.h"
#include "listings/ListingStore.h"
#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"
#include <vector>

const char* const NowOnAirSeparator = "\xA4\xA4";

namespace {

// A reduced line is a programme line with '0' in place of its ':' ("14025"), and '3' in place of
// a leading '0' after midnight ("31000"), so that its first five characters read as a number
// that orders the whole TV day.
using ReducedLines = std::vector<AnsiString>;

// The programme lines of the day without their descriptions, reduced. A line counts as after
// midnight when its index lies beyond (count - 1) / 2 of the list as it stands at that moment,
// with the descriptions behind it already gone.
ReducedLines Reduce(const TStrings& day)
{
    ReducedLines lines;
    for (int i = 0; i < day.Count(); ++i)
        lines.push_back(day[i]);
    for (int i = static_cast<int>(lines.size()) - 1; i >= 0; --i) {
        if (i % 2 == 1) {
            lines.erase(lines.begin() + i);
            continue;
        }
        AnsiString& line = lines[static_cast<std::size_t>(i)];
        if (line.size() > 2) {
            line[2] = '0';
            if (i > (static_cast<double>(lines.size()) - 1) / 2 && line[0] == '0')
                line[0] = '3';
        }
    }
    return lines;
}

// The number in the first five characters, or -1 when they are not all digits.
int ReducedTime(const AnsiString& line)
{
    std::size_t length = line.size() < 5 ? line.size() : 5;
    if (length == 0)
        return -1;
    int value = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return -1;
        value = value * 10 + (line[i] - '0');
    }
    return value;
}

// Only these lines can be a result; anything after the last of them (the empty lines that end
// every day) is never read as a programme.
bool IsProgramme(const ReducedLines& lines, int index)
{
    return index >= 0 && index < static_cast<int>(lines.size()) && lines[index].size() > 3 &&
           ReducedTime(lines[index]) >= 0;
}

int NowAsReducedTime()
{
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(Now(), hour, minute, second, ms);
    return (hour < 5 ? 30000 : 0) + hour * 1000 + minute;
}

// Programme k of the reduced lines is line 2k of the day, so its description is line 2k + 1.
AnsiString NowOnAirText(const ReducedLines& lines, const TStrings& day, int k)
{
    AnsiString line = lines[static_cast<std::size_t>(k)];
    line[2] = ':';
    if (line[0] == '3')
        line[0] = '0';
    int descriptionIndex = 2 * k + 1;
    AnsiString description = descriptionIndex < day.Count() ? day[descriptionIndex] : AnsiString();
    return line + NowOnAirSeparator + description;
}

// Index of the programme the flags ask for, or -1.
int FindProgramme(const ReducedLines& lines, int now, bool next, bool afterNext)
{
    const int count = static_cast<int>(lines.size());
    int last = count - 1;
    while (last >= 0 && !IsProgramme(lines, last))
        --last;
    if (last < 0)
        return -1;
    if (ReducedTime(lines[last]) < now)
        return next || afterNext ? -1 : last;

    for (int i = 0; i < count; ++i) {
        const AnsiString& line = lines[static_cast<std::size_t>(i)];
        int time = ReducedTime(line);
        if (line.size() <= 7 || time < now)
            continue;
        if (i == 0)
            return next ? -1 : 0;
        int k = i - 1 + (next ? 1 : 0) + (afterNext && i != count - 1 ? 1 : 0);
        if (k < count)
            return IsProgramme(lines, k) ? k : -1;
    }
    return -1;
}

} // namespace

AnsiString GetNowOnAir(const AnsiString& channelCode, const AnsiString& dateText, bool next, bool afterNext)
{
    TStringList day;
    if (!LoadDayListing(channelCode, dateText, day))
        return AnsiString();
    return NowOnAirOfDay(day, next, afterNext);
}

AnsiString NowOnAirOfDay(const TStrings& day, bool next, bool afterNext)
{
    const ReducedLines lines = Reduce(day);
    int k = FindProgramme(lines, NowAsReducedTime(), next, afterNext);
    return k < 0 ? AnsiString() : NowOnAirText(lines, day, k);
}
