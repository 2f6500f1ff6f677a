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
// midnight when its index lies beyond (count - 1) / 2 of the list as it would stand with the
// descriptions behind it deleted one by one from the end: line i then still has index i, and the
// list has lost the (count - i) / 2 odd lines after it.
ReducedLines Reduce(const TStrings& day)
{
    const int count = day.Count();
    ReducedLines lines;
    lines.reserve(static_cast<std::size_t>(count / 2 + 1));
    for (int i = 0; i < count; i += 2) {
        AnsiString line = day[i];
        if (line.size() > 2) {
            line[2] = '0';
            const double remaining = count - (count - i) / 2;
            if (i > (remaining - 1) / 2 && line[0] == '0')
                line[0] = '3';
        }
        lines.push_back(std::move(line));
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
