#include "listings/ListingSearch.h"
#include "listings/Calendar.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"

namespace {

// "20:30 Uutiset" from the stored line: time characters 1-2 and 4-5, the title from 7.
AnsiString CanonicalProgrammeLine(const AnsiString& line)
{
    return Copy(line, 1, 2) + ":" + Copy(line, 4, 2) + " " + Copy(line, 7, static_cast<int>(line.size()));
}

bool Contains(const AnsiString& text, const AnsiString& foldedText)
{
    return !foldedText.empty() && FoldAsciiLetters(text).find(foldedText) != AnsiString::npos;
}

} // namespace

AnsiString FoldAsciiLetters(const AnsiString& text)
{
    return LowerCase(text);
}

void SearchedFiles(const AnsiString& channelCode, TStringList& files)
{
    ListFiles(DataFolder(), channelCode + "*.QEX", files);
    files.Sort();
}

AnsiString SearchRowPrefix(std::int32_t key)
{
    const AnsiString digits = IntToStr(key);
    const AnsiString day = Copy(digits, 7, 2);
    const AnsiString month = Copy(digits, 5, 2);
    const AnsiString year = Copy(digits, 1, 4);
    int y = 0, m = 0, d = 0;
    TDateTime date = 0;
    if (!TryStrToInt(year, y) || !TryStrToInt(month, m) || !TryStrToInt(day, d) ||
        !TryEncodeDate(y, m, d, date))
        throw EConvertError("'" + day + "." + month + "." + year + "' is not a valid date");
    return day + "." + month + "." + year + " (" + DayAbbrev(date) + ") <w2:" +
           ChannelNameFromCode(Copy(digits, 9, 2)) + "> ";
}

void SearchDayText(std::int32_t key, const AnsiString& dayText, const AnsiString& foldedText,
                   std::vector<SearchHit>& hits)
{
    if (!Contains(dayText, foldedText))
        return;
    TStringList lines;
    lines.SetLines(DayTextLines(dayText));
    if (lines.Count() <= 1)
        return;
    const AnsiString prefix = SearchRowPrefix(key);
    for (int i = 0; i + 1 < lines.Count(); i += 2) {
        const AnsiString& line = lines[i];
        if (line.size() <= 5)
            return;
        if (Contains(line + " " + lines[i + 1], foldedText))
            hits.push_back({prefix + CanonicalProgrammeLine(line), lines[i + 1]});
    }
}
