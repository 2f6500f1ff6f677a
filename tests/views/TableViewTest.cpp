// The "Taulukko" views: the listing grid and the page, byte for byte.
#include "listings/NakymaTaulukko.h"
#include "listings/TablePage.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

const AnsiString kCorner = R"(    <TD ALIGN="CENTER" BGCOLOR="NAVY" WIDTH="5%">&nbsp;</TD>)";

AnsiString TimeCell(const AnsiString& time)
{
    return R"(    <TD BGCOLOR="#FFFFF4" ALIGN="CENTER" VALIGN="TOP" WIDTH="5%"><FONT SIZE="-2" FACE="Verdana"><B>)" +
           time + "</B></FONT></TD>";
}

AnsiString ClosingTimeCell(const AnsiString& time)
{
    return R"(    <TD BGCOLOR="#FFFFF4" ALIGN="Center" VALIGN="Top" WIDTH="5%"><FONT SIZE="-2" FACE="Verdana"><B>)" +
           time + "</B></FONT></TD>";
}

class TableViews : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        WriteWednesday("TV1", kTableDay);
    }

    static TableView Build(std::vector<AnsiString> channels, bool wide, const std::vector<AlarmKey>& alarms = {})
    {
        return BuildTableView(ListOf(channels), wide, kShownDate, alarms);
    }
};

} // namespace

TEST_F(TableViews, SmallPageLineByLine)
{
    // MTV3 has no file: one 04:00 row whose cell spans the whole table. The 00:30 programme
    // after midnight sorts below 23:30 and reads 00:30 in both time cells.
    TableView view = Build({"TV1", "MTV3"}, false);
    std::vector<AnsiString> expected = kPageHead;
    std::vector<AnsiString> body = {
        "  <TR>",
        kCorner,
        ChannelHeader("TV1", "45"),
        ChannelHeader("MTV3", "45"),
        kCorner,
        "  </TR>",
        "  <TR>",
        TimeCell("04:00"),
        R"(    <TD WIDTH="45%" ROWSPAN="1" VALIGN="TOP" BGCOLOR="#FFFFFF"><A HREF="##&1-1"><FONT SIZE="-2" FACE="Verdana">&nbsp</FONT></A></TD>)",
        R"(    <TD WIDTH="45%" ROWSPAN="5" VALIGN="TOP" BGCOLOR="#FFFFFF"><A HREF="##&2-1"><FONT SIZE="-2" FACE="Verdana"><B>04:00 &nbsp</B></FONT></A></TD>)",
        ClosingTimeCell("04:00"),
        "  </TR>",
        "  <TR>",
        TimeCell("06:00"),
        R"(    <TD BGCOLOR="White" WIDTH="45%" ROWSPAN="1" VALIGN="TOP"><A HREF="##&1-2"><FONT SIZE="-2" FACE="Verdana"><B>06:00 Uutiset</B></FONT></A></TD>)",
        ClosingTimeCell("06:00"),
        "  </TR>",
        "  <TR>",
        TimeCell("07:30"),
        R"(    <TD BGCOLOR="White" WIDTH="45%" ROWSPAN="1" VALIGN="TOP"><A HREF="##&1-3"><FONT SIZE="-2" FACE="Verdana"><B>07:30 Aamu-tv</B></FONT></A></TD>)",
        ClosingTimeCell("07:30"),
        "  </TR>",
        "  <TR>",
        TimeCell("23:30"),
        R"(    <TD BGCOLOR="White" WIDTH="45%" ROWSPAN="1" VALIGN="TOP"><A HREF="##&1-4"><FONT SIZE="-2" FACE="Verdana"><B>23:30 My)"
        "\xF6h\xE4isuutiset</B></FONT></A></TD>",
        ClosingTimeCell("23:30"),
        "  </TR>",
        "  <TR>",
        TimeCell("00:30"),
        R"(    <TD BGCOLOR="White" WIDTH="45%" ROWSPAN="1" VALIGN="TOP"><A HREF="##&1-5"><FONT SIZE="-2" FACE="Verdana"><B>00:30 Y)"
        "\xF6" "elokuva</B></FONT></A></TD>",
        ClosingTimeCell("00:30"),
        "  </TR>",
        "</TABLE>",
        "</BODY>",
        "</HTML>",
    };
    expected.insert(expected.end(), body.begin(), body.end());
    std::vector<AnsiString> page = LinesOf(view.page);
    ASSERT_EQ(page.size(), expected.size());
    for (std::size_t i = 0; i < page.size(); ++i)
        EXPECT_EQ(page[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(view.caption, "QEX 2000 - Keskiviikko 11. Helmikuuta 2026");
}

TEST_F(TableViews, GridHoldsNamesUnmarkedTimesProgrammesAndDescriptions)
{
    TableView view = Build({"TV1", "MTV3"}, false);
    const TStringGrid& grid = *view.grid;
    ASSERT_EQ(grid.ColCount(), 3);
    ASSERT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cells(1, 0), "TV1");
    EXPECT_EQ(grid.Cells(2, 0), "MTV3");
    std::vector<AnsiString> times;
    for (int r = 1; r < grid.RowCount(); ++r)
        times.push_back(grid.Cells(0, r));
    EXPECT_EQ(times, (std::vector<AnsiString> {"04:00", "06:00", "07:30", "23:30", "00:30"}));
    // Descriptions lie beyond the last column, where a programme link's handler reads them.
    EXPECT_EQ(grid.Cells(1, 5), "00:30 Y\xF6" "elokuva");
    EXPECT_EQ(grid.Cells(grid.ColCount() - 1 + 1, 5), "Kauhua");
    EXPECT_EQ(grid.Cells(grid.ColCount() - 1 + 1, 2), "P\xE4iv\xE4n uutiset");
    EXPECT_EQ(grid.Cells(2, 1), "04:00 &nbsp");
    EXPECT_EQ(grid.Cells(grid.ColCount() - 1 + 2, 1), "&nbsp");
    EXPECT_EQ(grid.Cells(1, 1), "");
}

TEST_F(TableViews, WideViewPutsTheDescriptionUnderTheTitle)
{
    std::vector<AnsiString> page = LinesOf(Build({"TV1", "MTV3"}, true).page);
    EXPECT_EQ(page[23],
              R"(    <TD WIDTH="45%" ROWSPAN="5" VALIGN="TOP" BGCOLOR="#FFFFFF"><A HREF="##&2-1"><FONT SIZE="-2" FACE="Verdana"><B>04:00 &nbsp</B><BR>&nbsp</FONT></A></TD>)");
    EXPECT_EQ(page[28],
              R"(    <TD BGCOLOR="White" WIDTH="45%" ROWSPAN="1" VALIGN="TOP"><A HREF="##&1-2"><FONT SIZE="-2" FACE="Verdana"><B>06:00 Uutiset</B><BR>P)"
              "\xE4iv\xE4n uutiset</FONT></A></TD>");
    // An empty first-row cell has no description to show.
    EXPECT_EQ(page[22],
              R"(    <TD WIDTH="45%" ROWSPAN="1" VALIGN="TOP" BGCOLOR="#FFFFFF"><A HREF="##&1-1"><FONT SIZE="-2" FACE="Verdana">&nbsp</FONT></A></TD>)");
}

TEST_F(TableViews, ColumnWidthFollowsTheChannelCount)
{
    auto firstHeader = [](int channels) {
        TStringList names;
        for (int i = 0; i < channels; ++i)
            names.Add(ChannelTable[static_cast<std::size_t>(i)].name);
        return BuildTableView(names, false, kShownDate, {}).page[kPageHead.size() + 2];
    };
    EXPECT_EQ(firstHeader(4), ChannelHeader("TV1", "22"));  // 22.5 goes to the even 22
    EXPECT_EQ(firstHeader(12), ChannelHeader("TV1", "8"));  // 7.5 goes to the even 8
    EXPECT_EQ(firstHeader(6), ChannelHeader("TV1", "15"));
    EXPECT_EQ(ChannelColumnWidth(20), "4");
    EXPECT_EQ(ChannelColumnWidth(26), "3");
}

TEST_F(TableViews, NoChannelsGiveOnlyTheCornerCells)
{
    TableView view = Build({}, false);
    std::vector<AnsiString> expected = kPageHead;
    for (const AnsiString& line : {AnsiString("  <TR>"), kCorner, kCorner, AnsiString("  </TR>"),
                                   AnsiString("</TABLE>"), AnsiString("</BODY>"), AnsiString("</HTML>")})
        expected.push_back(line);
    EXPECT_EQ(LinesOf(view.page), expected);
    EXPECT_EQ(view.grid->RowCount(), 1);
}

TEST_F(TableViews, EveryColumnSpansAtLeastOneRow)
{
    // TV2's first programme lies 150 rows down; Nelonen has its day stored but empty.
    std::vector<Programme> many;
    for (int i = 0; i < 150; ++i) {
        char time[6];
        std::snprintf(time, sizeof time, "%02d:%02d", 10 + i / 60, i % 60);
        many.push_back({time, "Ohjelma " + std::to_string(i), ""});
    }
    WriteWednesday("MTV3", many);
    WriteWednesday("TV2", {{"13:00", "Uutiset", ""}});
    WriteWednesdayText("Nelonen", "");
    std::vector<AnsiString> page = LinesOf(Build({"MTV3", "TV2", "Nelonen"}, false).page);
    const std::size_t firstRow = kPageHead.size() + 7;
    EXPECT_NE(page[firstRow + 3].find(R"(ROWSPAN="150")"), AnsiString::npos) << page[firstRow + 3];
    EXPECT_NE(page[firstRow + 4].find(R"(ROWSPAN="151")"), AnsiString::npos) << page[firstRow + 4];
    for (const AnsiString& line : page)
        EXPECT_EQ(line.find(R"(ROWSPAN="0")"), AnsiString::npos) << line;
    // The last programme of a column spans down to the last row.
    const AnsiString lastOfMtv3 = page[page.size() - 11];
    EXPECT_NE(lastOfMtv3.find(R"(HREF="##&1-150")"), AnsiString::npos) << lastOfMtv3;
    EXPECT_NE(lastOfMtv3.find(R"(ROWSPAN="2")"), AnsiString::npos) << lastOfMtv3;
}

TEST_F(TableViews, RejectedLineDoesNotShiftTheDescriptions)
{
    // "06:00 A" is too short to be taken for a programme; its description goes with it.
    WriteWednesdayText("TV2", "06:00 A\r\nKuvaus A\r\n07:00 Uutiset\r\nUutisia\r\n08:00 Sää\r\nPoutaa\r\n"_a);
    TableView view = Build({"TV2"}, true);
    const TStringGrid& grid = *view.grid;
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(1, 1), "07:00 Uutiset");
    EXPECT_EQ(grid.Cells(2, 1), "Uutisia");
    EXPECT_EQ(grid.Cells(2, 2), "Poutaa");
}

TEST_F(TableViews, WithoutKloAikaCellsShowTheTitleOnly)
{
    WriteSettings({"[Näkymät]", "KloAika=0"});
    WriteWednesday("TV2", {{"21:00", "Uutiset", ""}, {"22:00", "300 spartalaista", ""}});
    TableView view = Build({"TV1", "TV2"}, false);
    const TStringGrid& grid = *view.grid;
    EXPECT_EQ(grid.Cells(1, 1), "Uutiset");
    EXPECT_EQ(grid.Cells(2, 4), "300 spartalaista");
    EXPECT_EQ(grid.Cells(1, 6), "Y\xF6" "elokuva");
    EXPECT_EQ(grid.Cells(0, 6), "00:30");
}

TEST_F(TableViews, LastMatchingColouringWinsAndAlarmsAfterMidnightAreHighlighted)
{
    WriteSettings({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=1", "OmaVäritys0=<c:clBlue>Uutiset;",
                   "OmaVäritys1=<c:clLime>uutiset;", "HälytystenVäri=clRed"});
    TableView view = Build({"TV1"}, false,
                             {AlarmKeyOfRow("12.2.2026 (KE)", "00:30", "Y\xF6" "elokuva"),
                              AlarmKeyOfRow("12.2.2026 (TO)", "07:30", "Aamu-tv")});
    const TStringGrid& grid = *view.grid;
    // "Uutiset" matches both: the later colouring's green replaces the blue.
    EXPECT_EQ(grid.Cells(1, 1), R"(06:00 <FONT COLOR="#00FF00">Uutiset</FONT>)");
    EXPECT_EQ(grid.Cells(1, 2), "07:30 Aamu-tv");
    EXPECT_EQ(grid.Cells(1, 3), "23:30 <FONT COLOR=\"#00FF00\">My\xF6h\xE4isuutiset</FONT>");
    EXPECT_EQ(grid.Cells(1, 4), "00:30 <FONT COLOR=\"#FF0000\">Y\xF6" "elokuva</FONT>");
}
