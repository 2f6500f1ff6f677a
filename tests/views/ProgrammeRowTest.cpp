// The programme lists' rows: the program's marks are found where it writes them, and listing
// text that looks like a mark stays text in every layout and for every reader.
#include "listings/ProgrammeMarks.h"
#include "listings/ProgrammeRow.h"
#include "listings/SettingEntries.h"
#include "listings/TextRoutines.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

// Titles that hold what the marks are made of.
const char* const kHostileTitles[] = {"<table>", "<t", "<tv> A", "<w:TV2> B", "<w2:TV2> C", "<b>Lihava</b>",
                                      "Tom &amp; Jerry", "<FONT COLOR=red>", "<c:clRed>Punainen", "Auki <"};

struct LayoutRow {
    RowLayout layout;
    const char* prefix; // the row up to the title, marks included
    const char* text;   // the same without marks
    const char* channel;
};
const LayoutRow kLayouts[] = {{RowLayout::Channel, "12:00 ", "12:00 ", ""},
                              {RowLayout::Timeline, "12:00 <w:TV1> ", "12:00  ", "TV1"},
                              {RowLayout::Search, "11.02.2026 (KE) <w2:TV1> 12:00 ", "11.02.2026 (KE)  12:00 ", "TV1"},
                              {RowLayout::NowOnAir, " <t>TV1, 12:00 ", " TV1, 12:00 ", ""}};

class ProgrammeRows : public ViewTest {
};

} // namespace

TEST_F(ProgrammeRows, HostileTitlesStayWholeBehindTheMarksOfEveryLayout)
{
    for (const LayoutRow& layout : kLayouts)
        for (const char* title : kHostileTitles)
            for (const char* marks : {"", "<b>", "<c:clBlue><b>", "<b><c:clRed>"}) {
                const AnsiString row = AnsiString(marks) + layout.prefix + title;
                SCOPED_TRACE(row);
                const ProgrammeRow split = SplitProgrammeRow(row, layout.layout);
                EXPECT_EQ(split.Text(), AnsiString(layout.text) + title);
                EXPECT_EQ(split.channel, layout.channel);
                EXPECT_EQ(split.columnMark, layout.layout != RowLayout::Channel);
                EXPECT_EQ(split.onAir, AnsiString(marks).find("<b>") != AnsiString::npos);
                EXPECT_EQ(split.colours.size(), AnsiString(marks).find("<c:") != AnsiString::npos ? 1u : 0u);
                EXPECT_EQ(WithoutOnAirMark(row),
                          ReplaceAll(AnsiString(marks), "<b>", "", true) + layout.prefix + title);
            }
}

TEST_F(ProgrammeRows, MarksAreReadOnlyInFrontAndAtTheirColumn)
{
    const ProgrammeRow marked = SplitProgrammeRow("<c:clRed><b><c:clBlue>12:00 <w:TV 2> Elokuva", RowLayout::Timeline);
    EXPECT_TRUE(marked.onAir);
    EXPECT_EQ(marked.colours, (std::vector<AnsiString>{"clRed", "clBlue"}));
    EXPECT_EQ(marked.before, "12:00 ");
    EXPECT_EQ(marked.channel, "TV 2");
    EXPECT_EQ(marked.after, " Elokuva");
    // A column mark of another layout, or one out of its place, is text.
    EXPECT_EQ(RowText("12:00 <w:TV1> Elokuva", RowLayout::Channel), "12:00 <w:TV1> Elokuva");
    EXPECT_EQ(RowText("12:00 Elokuva <w:TV1> x", RowLayout::Timeline), "12:00 Elokuva <w:TV1> x");
    EXPECT_EQ(RowText("TV1, 12:00 <t>", RowLayout::NowOnAir), "TV1, 12:00 <t>");
    // A mark that is not closed ends the marks and is text.
    EXPECT_EQ(RowText("<c:clRed", RowLayout::Channel), "<c:clRed");
    EXPECT_EQ(RowText("12:00 <w:TV1", RowLayout::Timeline), "12:00 <w:TV1");
    EXPECT_EQ(RowText("", RowLayout::Search), "");
}

// Colourings look at the listing text: the program's marks in the row hold no keyword, and a
// title that holds a colour tag is still coloured.
TEST_F(ProgrammeRows, ColouringsMatchTheTextAndNeverTheMarks)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=1", "OmaVäritys0=<c:clLime>b>;w:;w2:;<t>;c:;",
                   "OmaVäritys1=<c:clBlue>Uutiset;"});
    TStringList timeline = ListOf({"<b>12:00 <w:TV1> Elokuva", "13:00 <w:TV2> <c:clRed>Uutiset"});
    TStringList descriptions = ListOf({"", ""});
    ApplyColourings(timeline, descriptions, RowLayout::Timeline);
    EXPECT_EQ(LinesOf(timeline),
              (std::vector<AnsiString>{"<b>12:00 <w:TV1> Elokuva", "<c:clLime>13:00 <w:TV2> <c:clRed>Uutiset"}));

    TStringList now = ListOf({"<b> <t>TV1, 12:00 Elokuva", " <t>TV1, 13:00 Uutiset"});
    ApplyColourings(now, descriptions, RowLayout::NowOnAir);
    EXPECT_EQ(LinesOf(now), (std::vector<AnsiString>{"<b> <t>TV1, 12:00 Elokuva", "<c:clBlue> <t>TV1, 13:00 Uutiset"}));

    TStringList found = ListOf({"11.02.2026 (KE) <w2:TV1> 12:00 Elokuva"});
    ApplyColourings(found, descriptions, RowLayout::Search);
    EXPECT_EQ(LinesOf(found), (std::vector<AnsiString>{"11.02.2026 (KE) <w2:TV1> 12:00 Elokuva"}));

    // An entry whose tag is no colour mark (a damaged settings file) colours nothing: put in front
    // it would be read as the row's text.
    ApplyColourings(found, descriptions, RowLayout::Search, {ParseColouringEntry("x<c:clRed>Elokuva;")});
    EXPECT_EQ(LinesOf(found), (std::vector<AnsiString>{"11.02.2026 (KE) <w2:TV1> 12:00 Elokuva"}));
}

// A row's channel is listing text wherever the row shows it: a keyword naming the channel colours
// that channel's rows in the time line and the search results as in the what-is-on-now list,
// on-air rows too, and still finds nothing in the mark around the name.
TEST_F(ProgrammeRows, KeywordNamingTheChannelColoursItsRowsInEveryList)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=1", "OmaVäritys0=<c:clRed>TV1;", "OmaVäritys1=<c:clLime>w:TV2>;w2:TV2>;"});
    const struct {
        RowLayout layout;
        AnsiString ofTv1, ofTv2;
    } kLists[] = {{RowLayout::Timeline, "12:00 <w:TV1> Elokuva", "12:00 <w:TV2> Elokuva"},
                  {RowLayout::Search, "11.02.2026 (KE) <w2:TV1> 12:00 Elokuva", "11.02.2026 (KE) <w2:TV2> 12:00 Elokuva"},
                  {RowLayout::NowOnAir, " <t>TV1, 12:00 Elokuva", " <t>TV2, 12:00 Elokuva"}};
    for (const auto& list : kLists) {
        SCOPED_TRACE(list.ofTv1);
        TStringList items = ListOf({list.ofTv1, "<b>" + list.ofTv1, list.ofTv2});
        TStringList descriptions = ListOf({"", "", ""});
        ApplyColourings(items, descriptions, list.layout);
        EXPECT_EQ(LinesOf(items),
                  (std::vector<AnsiString>{"<c:clRed>" + list.ofTv1, "<c:clRed><b>" + list.ofTv1, list.ofTv2}));
    }
}

// The alarm colour finds a programme by its whole title, and a title that looks like the on-air
// mark is not taken for it.
TEST_F(ProgrammeRows, AlarmsAndTheOnAirMarkFindWholeTitles)
{
    const std::vector<AlarmKey> alarms = {AlarmKeyOfRow("11.2.2026 (KE)", "12:00", "<table>"),
                                          AlarmKeyOfRow("11.2.2026 (KE)", "13:00", "<w:TV1> A")};
    TStringList items = ListOf({"<b>12:00 <table>", "13:00 <w:TV1> A", "14:00 <b>"});
    MarkAlarmedProgrammes(items, alarms, kShownDate);
    EXPECT_EQ(LinesOf(items),
              (std::vector<AnsiString>{"<c:clred>12:00 <table>", "<c:clred>13:00 <w:TV1> A", "14:00 <b>"}));

    TStringList timeline = ListOf({"12:00 <w:TV1> <table>", "13:00 <w:TV2> <w:TV1> A"});
    MarkAlarmedProgrammesTimeline(timeline, alarms, kShownDate);
    EXPECT_EQ(LinesOf(timeline), (std::vector<AnsiString>{"<c:clred>12:00 <w:TV1> <table>",
                                                           "<c:clred>13:00 <w:TV2> <w:TV1> A"}));
}
