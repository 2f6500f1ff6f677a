// The programme links of the table pages read without a window: the link's cell, what the cell
// holds in each table layout, the information box's text and the class library's word wrap.
#include "app/ProgrammeLink.h"
#include "app/WrapText.h"
#include "listings/TextRoutines.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StringGrid.h"
#include <gtest/gtest.h>

namespace {

const AnsiString kBreaks = " ,-.";

TEST(WrapText, BreaksAfterBreakCharactersWithinTheLimitAndLosesNothing)
{
    const AnsiString text = "Kaksi ystävää lähtee kesälomalle saaristoon, mutta matka ei mene suunnitellusti: "
                            "vene hajoaa, puhelimet kastuvat ja naapurisaaren mökkiläiset osoittautuvat "
                            "kummallisiksi.-Jatkuu ensi viikolla."_a;
    const AnsiString wrapped = WrapText(text, "\r\n", kBreaks, 30);
    EXPECT_EQ(ReplaceAll(wrapped, "\r\n", "", true), text);
    std::size_t from = 0;
    int lines = 0;
    for (std::size_t end = wrapped.find("\r\n"); end != AnsiString::npos; end = wrapped.find("\r\n", from)) {
        const AnsiString line = wrapped.substr(from, end - from);
        EXPECT_LE(line.size(), 30u) << line;
        EXPECT_NE(kBreaks.find(line.back()), AnsiString::npos) << line;
        from = end + 2;
        ++lines;
    }
    EXPECT_GE(lines, 5);
    // A comma stays at the end of its line; a blank that follows it begins the next.
    EXPECT_EQ(WrapText("abcdefghijk, lmn", "\r\n", kBreaks, 12), "abcdefghijk,\r\n lmn");
}

TEST(WrapText, ShortTextsExistingBreaksAndLongWordsStayAsTheyAre)
{
    EXPECT_EQ(WrapText("Lyhyt kuvaus.\r\n", "\r\n", kBreaks, 60), "Lyhyt kuvaus.\r\n");
    EXPECT_EQ(WrapText("", "\r\n", kBreaks, 60), "");
    // A break in the text starts a new count.
    EXPECT_EQ(WrapText("aaaa bbbb\r\ncccc dddd", "\r\n", kBreaks, 10), "aaaa bbbb\r\ncccc dddd");
    EXPECT_EQ(WrapText("abcdefghijklmnopqrstuvwxyz", "\r\n", kBreaks, 10), "abcdefghijklmnopqrstuvwxyz");
}

TEST(WrapText, TextInQuotesIsNotBroken)
{
    EXPECT_EQ(WrapText("say 'one two three four' now", "\r\n", kBreaks, 10), "say \r\n'one two three four' \r\nnow");
}

// Two channels: columns 1 and 2, descriptions in columns 3 and 4; rows 08:00, 21:00, 00:30.
void FillTableGrid(TStringGrid& grid, const AnsiString& lateTime)
{
    grid.SetColCount(3);
    grid.SetRowCount(4);
    const AnsiString cells[4][5] = {
        {"", "TV1", "Canal+", "", ""},
        {"08:00", "", "08:00 <FONT COLOR=\"#0000FF\">Elokuva</FONT>", "", "Kuvaus"},
        {"21:00", "21:00 Uutiset", "", "Illan uutiset.", ""},
        {lateTime, "00:30 <FONT COLOR=\"#FF0000\">Yöelokuva</FONT>"_a, "", "Elokuva yöhön."_a, ""},
    };
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
            grid.SetCell(col, row, cells[row][col]);
}

TEST(ProgrammeLink, OnlyAddressesWithTheMarkAreLinksAndTheirNumbersAreRead)
{
    EXPECT_TRUE(IsProgrammeLink("##&3-7"));
    EXPECT_TRUE(IsProgrammeLink("about:blank##&3-7"));
    EXPECT_FALSE(IsProgrammeLink("http://www.example.com/#3-7"));
    const GridCell cell = ParseProgrammeLink("about:blank##&12-7");
    EXPECT_EQ(cell.Col, 12);
    EXPECT_EQ(cell.Row, 7);
    // The row has at most five digits.
    EXPECT_EQ(ParseProgrammeLink("##&1-1234567").Row, 12345);
    EXPECT_THROW(ParseProgrammeLink("##&x-1"), EConvertError);
    EXPECT_THROW(ParseProgrammeLink("##&3"), EConvertError);
    EXPECT_THROW(ParseProgrammeLink("##&3-"), EConvertError);
}

TEST(ProgrammeLink, ReadsChannelProgrammeDescriptionAndTheRowsStart)
{
    TStringGrid grid;
    FillTableGrid(grid, "00:30");
    LinkedProgramme programme;
    ASSERT_TRUE(ReadLinkedProgramme(grid, {1, 3}, programme));
    EXPECT_EQ(programme.Channel, "TV1");
    EXPECT_EQ(programme.Programme, "00:30 Yöelokuva"_a);
    EXPECT_EQ(programme.Description, "Elokuva yöhön."_a);
    EXPECT_EQ(programme.Time, "00:30");
    EXPECT_EQ(programme.Title, "Yöelokuva"_a);
    ASSERT_TRUE(ReadLinkedProgramme(grid, {2, 1}, programme));
    EXPECT_EQ(programme.Channel, "Canal+");
    EXPECT_EQ(programme.Title, "Elokuva");
    EXPECT_EQ(programme.Description, "Kuvaus");
}

TEST(ProgrammeLink, TitleOnlyCellsAndMarkedTimeColumnsGiveTheSameProgramme)
{
    // "Taulukko 2" keeps the late-night marker in the time column.
    TStringGrid grid;
    FillTableGrid(grid, "30:30");
    LinkedProgramme programme;
    ASSERT_TRUE(ReadLinkedProgramme(grid, {1, 3}, programme));
    EXPECT_EQ(programme.Time, "00:30");
    EXPECT_EQ(programme.Title, "Yöelokuva"_a);
    // With the setting that shows titles only, the cell holds no time; a title that begins
    // with digits keeps them.
    grid.SetCell(1, 3, "30 minuuttia");
    ASSERT_TRUE(ReadLinkedProgramme(grid, {1, 3}, programme));
    EXPECT_EQ(programme.Programme, "30 minuuttia");
    EXPECT_EQ(programme.Title, "30 minuuttia");
    EXPECT_EQ(programme.Time, "00:30");
}

TEST(ProgrammeLink, CellsWithoutAProgrammeOrOutsideTheGridGiveNothing)
{
    TStringGrid grid;
    FillTableGrid(grid, "00:30");
    LinkedProgramme programme;
    EXPECT_FALSE(ReadLinkedProgramme(grid, {1, 1}, programme)); // empty first-row cell
    EXPECT_FALSE(ReadLinkedProgramme(grid, {0, 1}, programme)); // the time column
    EXPECT_FALSE(ReadLinkedProgramme(grid, {1, 0}, programme)); // the channel names
    EXPECT_FALSE(ReadLinkedProgramme(grid, {3, 2}, programme)); // a description column
    EXPECT_FALSE(ReadLinkedProgramme(grid, {1, 4}, programme));
    EXPECT_FALSE(ReadLinkedProgramme(grid, {-1, -5}, programme));
    // The stand-ins of a channel without listings in the two table layouts.
    grid.SetCell(0, 2, "04:00");
    grid.SetCell(2, 2, "04:00 &nbsp");
    grid.SetCell(4, 2, "&nbsp");
    EXPECT_FALSE(ReadLinkedProgramme(grid, {2, 2}, programme));
    grid.SetCell(2, 2, "04:00 Tiedot puuttuvat");
    grid.SetCell(4, 2, "Tiedot puuttuvat");
    EXPECT_FALSE(ReadLinkedProgramme(grid, {2, 2}, programme));
}

TEST(ProgrammeLink, InformationTextNamesTheShownDayAndWrapsTheDescriptionAt60)
{
    LinkedProgramme programme;
    programme.Channel = "TV1";
    programme.Programme = "00:30 Yöelokuva"_a;
    programme.Description = "Kaksi ystävää lähtee kesälomalle saaristoon, mutta matka ei mene suunnitellusti."_a;
    EXPECT_EQ(ProgrammeInfoText(programme, "11.2.2026"),
              "TV1, Keskiviikko 11.2.2026\r\n\r\n00:30 Yöelokuva\r\n"
              "Kaksi ystävää lähtee kesälomalle saaristoon, mutta matka ei \r\n"
              "mene suunnitellusti.\r\n"_a);
}

} // namespace
