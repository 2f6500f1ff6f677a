#include "app/ProgrammeLink.h"
#include "app/WrapText.h"
#include "listings/Calendar.h"
#include "listings/HtmlText.h"
#include "listings/ProgrammeLine.h"
#include "listings/TextRoutines.h"
#include "platform/core/DateTime.h"
#include "platform/core/StringGrid.h"
#include "platform/core/SysUtils.h"

namespace {

const AnsiString kLinkMark = "##&";
constexpr std::size_t kRowDigits = 5;
constexpr int kInfoColumns = 60;

// What the table pages write where no programme is: an empty first-row cell, and the stand-ins
// for a channel without listings ("04:00 &nbsp" in one layout, "04:00 Tiedot puuttuvat" with the
// same description in the other).
bool IsStandIn(const AnsiString& title, const AnsiString& description)
{
    const AnsiString missing = "Tiedot puuttuvat";
    return title.empty() || title == "&nbsp" || (title == missing && description == missing);
}

} // namespace

bool IsProgrammeLink(const AnsiString& url)
{
    return url.find(kLinkMark) != AnsiString::npos;
}

GridCell ParseProgrammeLink(const AnsiString& url)
{
    const std::size_t mark = url.find(kLinkMark);
    const AnsiString target = mark == AnsiString::npos ? AnsiString() : url.substr(mark + kLinkMark.size());
    const std::size_t dash = target.find('-');
    const AnsiString column = dash == AnsiString::npos ? AnsiString() : target.substr(0, dash);
    const AnsiString row = dash == AnsiString::npos ? AnsiString() : target.substr(dash + 1, kRowDigits);
    GridCell cell;
    cell.Col = StrToInt(column);
    cell.Row = StrToInt(row);
    return cell;
}

bool ReadLinkedProgramme(const TStringGrid& grid, GridCell cell, LinkedProgramme& programme)
{
    if (cell.Col < 1 || cell.Col >= grid.ColCount() || cell.Row < 1 || cell.Row >= grid.RowCount())
        return false;
    programme.Channel = grid.Cells(cell.Col, 0);
    // The table grids hold page text: the programme is read back as the text it shows.
    programme.Programme = HtmlUnescape(StripTags(grid.Cells(cell.Col, cell.Row)));
    programme.Description = HtmlUnescape(StripTags(grid.Cells(cell.Col + grid.ColCount() - 1, cell.Row)));
    // The row's time is the programme's start whether or not the cell shows it; the "Taulukko 2"
    // pages keep the late-night marker in it.
    programme.Time = UnshiftHour(grid.Cells(0, cell.Row)).substr(0, 5);
    const AnsiString shownTime = programme.Time + " ";
    const bool cellShowsTime = programme.Programme.compare(0, shownTime.size(), shownTime) == 0;
    programme.Title = Trim(cellShowsTime ? CharactersFrom(programme.Programme, 7) : programme.Programme);
    return !IsStandIn(programme.Title, programme.Description);
}

AnsiString ProgrammeInfoText(const LinkedProgramme& programme, const AnsiString& dateText)
{
    return programme.Channel + ", " + DayName(false, StrToDate(dateText)) + " " + dateText + "\r\n\r\n" +
           programme.Programme + "\r\n" + WrapText(programme.Description + "\r\n", "\r\n", " ,-.", kInfoColumns);
}
