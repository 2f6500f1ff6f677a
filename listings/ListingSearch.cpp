#include "listings/ListingSearch.h"
#include "listings/Calendar.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <string_view>

namespace {

// "20:30 Uutiset" from the stored line: time characters 1-2 and 4-5, the title from 7.
AnsiString CanonicalProgrammeLine(const AnsiString& line)
{
    return Copy(line, 1, 2) + ":" + Copy(line, 4, 2) + " " + Copy(line, 7, static_cast<int>(line.size()));
}

// Whether a programme line joined to its description by a blank holds the folded text: within
// either part, or across the blank where the text has one.
class PairMatcher {
public:
    PairMatcher(const AnsiString& day, const AnsiString& foldedDay, const AnsiString& foldedText)
        : FDay(day), FFoldedDay(foldedDay), FText(foldedText), FSpans(foldedText.find(' ') != AnsiString::npos)
    {
    }

    bool Matches(std::string_view line, std::string_view description)
    {
        const std::string_view foldedLine = Folded(line), foldedDescription = Folded(description);
        if (foldedLine.find(FText) != std::string_view::npos || foldedDescription.find(FText) != std::string_view::npos)
            return true;
        if (!FSpans)
            return false;
        const std::size_t reach = FText.size() - 1;
        FJoint.assign(foldedLine.substr(foldedLine.size() - std::min(reach, foldedLine.size())));
        FJoint += ' ';
        FJoint.append(foldedDescription.substr(0, reach));
        return FJoint.find(FText) != AnsiString::npos;
    }

private:
    std::string_view Folded(std::string_view part) const
    {
        return std::string_view(FFoldedDay).substr(static_cast<std::size_t>(part.data() - FDay.data()), part.size());
    }

    const AnsiString& FDay;
    const AnsiString& FFoldedDay;
    const AnsiString& FText;
    const bool FSpans;
    AnsiString FJoint;
};

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
    if (foldedText.empty())
        return;
    // Folding keeps every byte's place, so a line of the day is found at the same place in the
    // folded day, and the day is folded once instead of each pair.
    const AnsiString folded = FoldAsciiLetters(dayText);
    if (folded.find(foldedText) == AnsiString::npos)
        return;
    DayTextLineReader lines(dayText);
    std::string_view line, description;
    if (!lines.Next(line) || !lines.Next(description))
        return;
    const AnsiString prefix = SearchRowPrefix(key);
    PairMatcher matcher(dayText, folded, foldedText);
    for (;;) {
        if (line.size() <= 5)
            return;
        if (matcher.Matches(line, description))
            hits.push_back({prefix + CanonicalProgrammeLine(AnsiString(line)), AnsiString(description)});
        if (!lines.Next(line) || !lines.Next(description))
            return;
    }
}
