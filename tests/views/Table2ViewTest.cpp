// The "Taulukko 2" views: seven time bands, a small table per channel and band.
#include "listings/NakymaTaulukko.h"
#include "ViewFixture.h"
#include <algorithm>

using namespace views_test;

namespace {

using Lines = std::vector<AnsiString>;

void Append(Lines& lines, const Lines& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
}

const Lines kCellStart = {R"(  <TD VALIGN="TOP" WIDTH="20%" BGCOLOR="#FFFFFF">)",
                          R"(  <TABLE WIDTH="100%" BORDER="0" CELLSPACING="0" CELLPADDING="1">)"};
const Lines kCellEnd = {"  </TABLE>", "  </TD>"};

Lines Cell(const Lines& programmes)
{
    Lines lines = kCellStart;
    Append(lines, programmes);
    Append(lines, kCellEnd);
    return lines;
}

Lines BandProgramme(const AnsiString& time, const AnsiString& link, const AnsiString& title)
{
    return {"    <TR>",
            R"(      <TD WIDTH="35" VALIGN="TOP"><FONT SIZE="-2" FACE="Verdana"><B>)" + time + "&nbsp</B></TD>",
            R"(      <TD VALIGN="TOP"><A HREF=")" + link + R"("><FONT SIZE="-2" FACE="Verdana"><B>)" + title +
                "</B></FONT></A></TD>",
            "    </TR>"};
}

class Table2Views : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        WriteWednesday("TV1", kTableDay);
    }

    static TableView Build(std::vector<AnsiString> channels, bool wide)
    {
        return BuildTable2View(ListOf(channels), wide, kShownDate, {});
    }
};

} // namespace

TEST_F(Table2Views, SmallPageLineByLine)
{
    Lines expected = kPageHead;
    Append(expected, {"  <TR>", ChannelHeader("TV1", "45"), ChannelHeader("MTV3", "45"), "  </TR>"});
    // Band 1 (00:00-08:59): the morning, and the missing day's 04:00 line.
    expected.push_back("  <TR>");
    Lines morning = BandProgramme("06:00", "##&1-2", "Uutiset");
    Append(morning, BandProgramme("07:30", "##&1-3", "Aamu-tv"));
    Append(expected, Cell(morning));
    Append(expected, Cell(BandProgramme("04:00", "##&2-1", "Tiedot puuttuvat")));
    for (int band = 2; band <= 5; ++band) {
        expected.push_back("  <TR>");
        Append(expected, Cell({}));
        Append(expected, Cell({}));
    }
    expected.push_back("  <TR>");
    Append(expected, Cell(BandProgramme("23:30", "##&1-4", "My\xF6h\xE4isuutiset")));
    Append(expected, Cell({}));
    // Band 7: after midnight, shown as 00:30.
    expected.push_back("  <TR>");
    Append(expected, Cell(BandProgramme("00:30", "##&1-5", "Y\xF6" "elokuva")));
    Append(expected, Cell({}));
    Append(expected, {"</TABLE>", "</BODY>", "</HTML>"});

    TableView view = Build({"TV1", "MTV3"}, false);
    Lines page = LinesOf(view.page);
    ASSERT_EQ(page.size(), expected.size());
    for (std::size_t i = 0; i < page.size(); ++i)
        EXPECT_EQ(page[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(view.caption, "QEX 2000 - Keskiviikko 11. Helmikuuta 2026");
    // The time column keeps the late-night marker; the missing day has its own text.
    EXPECT_EQ(view.grid->Cells(0, 5), "30:30");
    EXPECT_EQ(view.grid->Cells(2, 1), "04:00 Tiedot puuttuvat");
    EXPECT_EQ(view.grid->Cells(view.grid->ColCount() - 1 + 2, 1), "Tiedot puuttuvat");
}

TEST_F(Table2Views, WideViewAddsTheDescriptionRow)
{
    Lines page = LinesOf(Build({"TV1"}, true).page);
    Lines expected = BandProgramme("06:00", "##&1-1", "Uutiset");
    Append(expected, {"    <TR>", R"(       <TD WIDTH=35 VALIGN="TOP"></TD>)",
                      R"(       <TD VALIGN="TOP"><FONT SIZE="-2" FACE="Verdana">P)" "\xE4iv\xE4n uutiset</FONT></TD>",
                      "    </TR>"});
    const std::size_t first = kPageHead.size() + 3 + 1 + 2; // head, header row, band row, cell start
    ASSERT_GT(page.size(), first + expected.size());
    EXPECT_EQ(Lines(page.begin() + first, page.begin() + first + expected.size()), expected);
}

TEST_F(Table2Views, BandEdges)
{
    // Both sides of every band's edge, the last one after midnight included.
    WriteWednesday("TV2", {{"06:00", "Aamu", ""},     {"07:00", "Aamu", ""},   {"08:59", "Aamu", ""},
                           {"09:00", "Aamupäivä", ""}, {"11:59", "Aamupäivä", ""}, {"12:00", "Päivä", ""},
                           {"14:59", "Päivä", ""},    {"15:00", "Iltapäivä", ""}, {"17:59", "Iltapäivä", ""},
                           {"18:00", "Ilta", ""},     {"20:59", "Ilta", ""},   {"21:00", "Myöhäisilta", ""},
                           {"23:59", "Myöhäisilta", ""}, {"00:00", "Yö", ""},  {"00:15", "Yö", ""},
                           {"04:59", "Aamuyö", ""},   {"09:59", "Aamuyö", ""}});
    EXPECT_EQ(MarkedTimeValue("08:59"), 859);
    EXPECT_EQ(MarkedTimeValue("30:15"), 3015);
    EXPECT_EQ(MarkedTimeValue("Ab:cd"), -1);
    // '0' and '9' are digits in every place; the bytes beside them, in the first or the last
    // place, and a time one byte short are none.
    EXPECT_EQ(MarkedTimeValue("09:90"), 990);
    for (const char* damaged : {"08:5/", "08:5:", "/8:59", ":8:59", "08:5", "08.59"})
        EXPECT_EQ(MarkedTimeValue(damaged), -1) << damaged;

    Lines page = LinesOf(Build({"TV2"}, false).page);
    // Which band row each programme's time stands under.
    std::vector<std::pair<AnsiString, int>> placed;
    int band = 0;
    for (std::size_t i = kPageHead.size() + 3; i < page.size(); ++i) { // after the head and the header row
        if (page[i] == "  <TR>")
            ++band;
        std::size_t at = page[i].find("<B>");
        if (page[i].find(R"(WIDTH="35")") != AnsiString::npos && at != AnsiString::npos)
            placed.push_back({page[i].substr(at + 3, 5), band});
    }
    EXPECT_EQ(placed, (std::vector<std::pair<AnsiString, int>> {
                          {"06:00", 1}, {"07:00", 1}, {"08:59", 1}, {"09:00", 2}, {"11:59", 2}, {"12:00", 3},
                          {"14:59", 3}, {"15:00", 4}, {"17:59", 4}, {"18:00", 5}, {"20:59", 5}, {"21:00", 6},
                          {"23:59", 6}, {"00:00", 7}, {"00:15", 7}, {"04:59", 7}, {"09:59", 7}}));
}

TEST_F(Table2Views, MatchingColouringsNestWithTheFirstInnermost)
{
    WriteSettings({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=1", "OmaVäritys0=<c:clBlue>Uutiset;",
                   "OmaVäritys1=<c:clLime>uutiset;"});
    TableView view = Build({"TV1"}, false);
    EXPECT_EQ(view.grid->Cells(1, 1),
              R"(06:00 <FONT COLOR="#00FF00"><FONT COLOR="#0000FF">Uutiset</FONT></FONT>)");
    EXPECT_EQ(view.grid->Cells(1, 2), "07:30 Aamu-tv");
    Lines page = LinesOf(view.page);
    EXPECT_EQ(page[22],
              R"(      <TD VALIGN="TOP"><A HREF="##&1-1"><FONT SIZE="-2" FACE="Verdana"><B><FONT COLOR="#00FF00"><FONT COLOR="#0000FF">Uutiset</FONT></FONT></B></FONT></A></TD>)");
}

TEST_F(Table2Views, WithoutKloAikaTheLinkTextIsTheWholeTitle)
{
    WriteSettings({"[Näkymät]", "KloAika=0"});
    WriteWednesday("TV2", {{"21:00", "30 vuotta sitten", ""}});
    Lines page = LinesOf(Build({"TV2"}, false).page);
    Lines expected = BandProgramme("21:00", "##&1-1", "30 vuotta sitten");
    auto at = std::search(page.begin(), page.end(), expected.begin(), expected.end());
    EXPECT_NE(at, page.end());
}
