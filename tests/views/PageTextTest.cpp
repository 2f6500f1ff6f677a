// Listing text in the table pages is text: whatever a title, a description or a channel name
// holds, the page carries the program's own elements only, and every later programme still shows.
#include "listings/HtmlMarks.h"
#include "listings/NakymaTaulukko.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

struct Layout {
    const char* name;
    bool table2;
    bool wide;
};
const Layout kLayouts[] = {{"Taulukko", false, false},
                           {"Taulukko (laaja)", false, true},
                           {"Taulukko 2", true, false},
                           {"Taulukko 2 (laaja)", true, true}};

// A hostile text and how the page must write it.
struct Hostile {
    const char* text;
    const char* written;
};
const Hostile kHostile[] = {
    {"</TABLE><h1>Iso", "&lt;/TABLE&gt;&lt;h1&gt;Iso"},
    {"<plaintext>", "&lt;plaintext&gt;"},
    {"<!-- kaikki loput", "&lt;!-- kaikki loput"},
    {R"(<iframe src="http://x.example/"></iframe>)", "&lt;iframe src=&quot;http://x.example/&quot;&gt;&lt;/iframe&gt;"},
    {"<object data=x>", "&lt;object data=x&gt;"},
    {"<form><button>Paina</button><input type=submit></form>",
     "&lt;form&gt;&lt;button&gt;Paina&lt;/button&gt;&lt;input type=submit&gt;&lt;/form&gt;"},
    {R"(Tom & Jerry "&amp;")", "Tom &amp; Jerry &quot;&amp;amp;&quot;"},
};

// The names of every element in the page, in order ("TD", "/FONT", "!DOCTYPE"...): text that
// became markup shows as names the page would not have otherwise.
std::vector<AnsiString> TagsOf(const TStrings& page)
{
    std::vector<AnsiString> tags;
    for (int i = 0; i < page.Count(); ++i) {
        const AnsiString line = page[i];
        for (std::size_t at = line.find('<'); at != AnsiString::npos; at = line.find('<', at + 1)) {
            const std::size_t end = line.find_first_of(" >", at + 1);
            tags.push_back(line.substr(at + 1, end == AnsiString::npos ? AnsiString::npos : end - at - 1));
        }
    }
    return tags;
}

AnsiString Joined(const TStrings& page)
{
    AnsiString text;
    for (int i = 0; i < page.Count(); ++i)
        text += page[i] + "\n";
    return text;
}

class PageText : public ViewTest {
protected:
    // TV1's day with `title` and `description` in the middle programme, between two others.
    void WriteDay(const std::string& title, const std::string& description)
    {
        WriteWednesday("TV1", {{"06:00", "Uutiset", "Päivän uutiset"},
                               {"07:30", title, description},
                               {"23:30", "Viimeinen", "Yön uutiset"}});
    }

    static TableView Build(const Layout& layout, const std::vector<AnsiString>& channels,
                           const std::vector<AlarmKey>& alarms = {})
    {
        return layout.table2 ? BuildTable2View(ListOf(channels), layout.wide, kShownDate, alarms)
                             : BuildTableView(ListOf(channels), layout.wide, kShownDate, alarms);
    }
};

} // namespace

TEST_F(PageText, HostileTitlesAndDescriptionsAreWrittenAsTextInEveryLayout)
{
    for (const Layout& layout : kLayouts) {
        WriteDay("Aamu", "Harmiton");
        const std::vector<AnsiString> harmless = TagsOf(Build(layout, {"TV1"}).page);
        for (const Hostile& hostile : kHostile) {
            SCOPED_TRACE(std::string(layout.name) + ": " + hostile.text);
            WriteDay(hostile.text, hostile.text);
            const TableView view = Build(layout, {"TV1"});
            EXPECT_EQ(TagsOf(view.page), harmless);
            const AnsiString page = Joined(view.page);
            const std::size_t title = page.find("<B>" + AnsiString(layout.table2 ? "" : "07:30 ") + hostile.written +
                                                "</B>");
            EXPECT_NE(title, AnsiString::npos);
            if (layout.wide) {
                EXPECT_NE(page.find(hostile.written, title + 1), AnsiString::npos) << "the description";
            }
            EXPECT_GT(page.find("Viimeinen"), title);
        }
    }
}

// The channel names come from the settings and head the columns as text.
TEST_F(PageText, HostileChannelNameHeadsItsColumnAsText)
{
    WriteDay("Aamu", "Harmiton");
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const std::vector<AnsiString> harmless = TagsOf(Build(layout, {"TV1", "MTV3"}).page);
        const TableView view = Build(layout, {"TV1", "<plaintext>"});
        EXPECT_EQ(TagsOf(view.page), harmless);
        EXPECT_NE(Joined(view.page).find("<B>&lt;plaintext&gt;</B>"), AnsiString::npos);
        // The grid keeps the name as it is, for the programme links.
        EXPECT_EQ(view.grid->Cells(2, 0), "<plaintext>");
    }
}

// Colourings and alarms still find the text as the user typed it, their markup stays markup,
// and nothing is escaped twice; the written form of the text matches nothing by itself.
TEST_F(PageText, ColouringsAndAlarmsMatchTheTextAndWrapItsEscapedForm)
{
    WriteSettings({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=2", "OmaVäritys0=<c:clBlue><h1>;",
                   "OmaVäritys1=<c:clLime>amp;", "OmaVäritys2=<c:clYellow>\"&\";", "HälytystenVäri=clRed"});
    WriteWednesday("TV1", {{"06:00", "</TABLE><h1>Iso", ""},
                           {"07:30", "Tom & Jerry", ""},
                           {"09:00", "Sanoi \"&\"", ""},
                           {"10:00", "A & B", ""},
                           {"23:30", "Viimeinen", ""}});
    const std::vector<AlarmKey> alarms = {AlarmKeyOfRow("11.2.2026 (KE)", "10:00", "A & B")};
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const TableView view = Build(layout, {"TV1"}, alarms);
        const TStringGrid& grid = *view.grid;
        EXPECT_EQ(grid.Cells(1, 1), R"(06:00 <FONT COLOR="#0000FF">&lt;/TABLE&gt;&lt;h1&gt;Iso</FONT>)");
        EXPECT_EQ(grid.Cells(1, 2), "07:30 Tom &amp; Jerry");
        EXPECT_EQ(grid.Cells(1, 3), R"(09:00 <FONT COLOR="#FFFF00">Sanoi &quot;&amp;&quot;</FONT>)");
        EXPECT_EQ(grid.Cells(1, 4), R"(10:00 <FONT COLOR="#FF0000">A &amp; B</FONT>)");
        EXPECT_EQ(grid.Cells(1, 5), "23:30 Viimeinen");
        EXPECT_NE(Joined(view.page).find(R"(<FONT COLOR="#0000FF">&lt;/TABLE&gt;&lt;h1&gt;Iso</FONT>)"), AnsiString::npos);
    }
}

// An earlier colouring has put its FONT element into the line: a later keyword that occurs in
// that markup ("ON" of "FONT", "OL" of "COLOR", "FF" of the colour) must not colour the line,
// neither as the last match of "Taulukko" nor as an outer colour of "Taulukko 2".
TEST_F(PageText, KeywordsNeverMatchTheMarkupOfAnEarlierColouring)
{
    WriteSettings({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=1", "OmaVäritys0=<c:clBlue>Uutiset;",
                   "OmaVäritys1=<c:clLime>ON;OL;CO;NT;FONT;FF;<;>;=;\";/;"});
    WriteWednesday("TV1", {{"06:00", "Uutiset", "Päivän uutiset"}, {"23:30", "Viimeinen", "Yön ohjelmaa"}});
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const TableView view = Build(layout, {"TV1"});
        EXPECT_EQ(view.grid->Cells(1, 1), R"(06:00 <FONT COLOR="#0000FF">Uutiset</FONT>)");
        EXPECT_EQ(view.grid->Cells(1, 2), "23:30 Viimeinen");
    }
}
