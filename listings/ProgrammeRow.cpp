#include "listings/ProgrammeRow.h"

namespace {

constexpr const char* kColourMark = "<c:";

bool StartsWith(const AnsiString& text, std::size_t at, const char* mark)
{
    return at <= text.size() && text.compare(at, std::char_traits<char>::length(mark), mark) == 0;
}

// One past the mark in front that starts at `at`, or npos when none starts there.
std::size_t LeadingMarkEnd(const AnsiString& row, std::size_t at)
{
    if (StartsWith(row, at, kOnAirMark))
        return at + std::char_traits<char>::length(kOnAirMark);
    if (!StartsWith(row, at, kColourMark))
        return AnsiString::npos;
    const std::size_t close = row.find('>', at);
    return close == AnsiString::npos ? AnsiString::npos : close + 1;
}

// Where a layout's column mark stands, always after a blank: the time line's after the start
// time, the search results' after the date and the day's letters, the what-is-on-now mark at
// the start of the text. What stands before it is the program's own text or a time of fixed
// width, so a mark inside a title is never taken for it.
struct ColumnMarkPlace {
    std::size_t at;
    const char* opening;
    bool namesChannel; // the mark holds a channel up to its '>'
};

bool PlaceOf(RowLayout layout, ColumnMarkPlace& place)
{
    switch (layout) {
    case RowLayout::Timeline:
        place = {6, "<w:", true};
        return true;
    case RowLayout::Search:
        place = {16, "<w2:", true};
        return true;
    case RowLayout::NowOnAir:
        place = {1, "<t>", false};
        return true;
    case RowLayout::Channel:
        break;
    }
    return false;
}

// The marks in front of a row ("<b>" and "<c:name>", in any order) and the text after them.
ProgrammeRow SplitLeadingMarks(const AnsiString& row)
{
    ProgrammeRow split;
    std::size_t at = 0;
    for (std::size_t end = LeadingMarkEnd(row, at); end != AnsiString::npos; at = end, end = LeadingMarkEnd(row, at)) {
        if (StartsWith(row, at, kOnAirMark))
            split.onAir = true;
        else
            split.colours.push_back(row.substr(at + 3, end - at - 4));
    }
    split.after = row.substr(at);
    return split;
}

void SplitColumnMark(ProgrammeRow& row, RowLayout layout)
{
    ColumnMarkPlace place{};
    const AnsiString text = row.after;
    if (!PlaceOf(layout, place) || !StartsWith(text, place.at, place.opening) || text[place.at - 1] != ' ')
        return;
    std::size_t end = place.at + std::char_traits<char>::length(place.opening);
    if (place.namesChannel) {
        const std::size_t close = text.find('>', end);
        if (close == AnsiString::npos)
            return;
        row.channel = text.substr(end, close - end);
        end = close + 1;
    }
    row.columnMark = true;
    row.before = text.substr(0, place.at);
    row.after = text.substr(end);
}

} // namespace

ProgrammeRow SplitProgrammeRow(const AnsiString& row, RowLayout layout)
{
    ProgrammeRow split = SplitLeadingMarks(row);
    SplitColumnMark(split, layout);
    return split;
}

AnsiString RowText(const AnsiString& row, RowLayout layout)
{
    return SplitProgrammeRow(row, layout).Text();
}

bool IsColourMark(const AnsiString& tag)
{
    const ProgrammeRow split = SplitLeadingMarks(tag);
    return split.colours.size() == 1 && !split.onAir && split.after.empty();
}

AnsiString WithoutOnAirMark(const AnsiString& row)
{
    std::size_t at = 0;
    for (std::size_t end = LeadingMarkEnd(row, at); end != AnsiString::npos; at = end, end = LeadingMarkEnd(row, at))
        if (StartsWith(row, at, kOnAirMark))
            return AnsiString(row).erase(at, end - at);
    return row;
}
