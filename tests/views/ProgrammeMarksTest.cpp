// Marks on the programme lists and the list-valued settings they read.
#include "listings/KeywordColourings.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

class ProgrammeMarks : public ViewTest {
};

} // namespace

TEST_F(ProgrammeMarks, FirstMatchingColouringWinsInTheLists)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2", "OmaVäritys0=<c:clblue>Uutiset;", "OmaVäritys1=<c:clgreen>uutiset;Sää;",
                   "OmaVäritys2=<c:clred>;;Elokuva;"});
    TStringList items = ListOf({"06:00 Uutiset", "07:00 Aamu", "08:00 Elokuva", "09:00 Pikku Kakkonen", "<b>10:00 Elokuva"});
    TStringList descriptions = ListOf({"Tuoreet uutiset", "Sää ja uutiset"_a, "Komedia", "", ""});
    ApplyColourings(items, descriptions, RowLayout::Channel);
    // Keywords are case-sensitive and match the description too; an empty keyword matches nothing.
    EXPECT_EQ(LinesOf(items), (std::vector<AnsiString> {"<c:clblue>06:00 Uutiset", "<c:clgreen>07:00 Aamu",
                                                         "<c:clred>08:00 Elokuva", "09:00 Pikku Kakkonen",
                                                         "<c:clred><b>10:00 Elokuva"}));
}

// The look-up answers as walking every colouring's keywords in turn would, for texts and keywords of
// many lengths, bytes above 0x7F, keywords at either end, repeated in later colourings and longer
// than the text.
TEST(KeywordColourings, FirstMatchIsTheFirstColouringWithAKeywordInTheText)
{
    std::vector<ColouringEntry> entries;
    unsigned seed = 7;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int c = 0; c < 60; ++c) {
        ColouringEntry entry {"<c:clred>", {}};
        for (int k = 0; k < 12; ++k) {
            AnsiString keyword;
            for (unsigned n = next() % 5; n > 0; --n)
                keyword += "abäå c"[next() % 6];
            entry.keywords.push_back(keyword);
        }
        entries.push_back(entry);
    }
    entries.push_back({"<c:clblue>", {"abäå cabäå cabäå c tekstiä pidempi"_a}});
    const KeywordColourings colourings(entries);
    for (int t = 0; t < 400; ++t) {
        AnsiString text;
        for (unsigned n = next() % 9; n > 0; --n)
            text += "abäå cdx"[next() % 8];
        int expected = -1;
        for (std::size_t c = 0; c < entries.size() && expected < 0; ++c)
            for (const AnsiString& keyword : entries[c].keywords)
                if (!keyword.empty() && text.find(keyword) != AnsiString::npos)
                    expected = static_cast<int>(c);
        EXPECT_EQ(colourings.FirstMatch(text), expected) << text;
    }
    EXPECT_EQ(KeywordColourings({{"<c:clred>", {"", ""}}}).FirstMatch("mitä tahansa"_a), -1);
    EXPECT_EQ(KeywordColourings({{"<c:a>", {"x"}}, {"<c:b>", {"tv"}}}).FirstMatch("tv"), 1);
    // A tag that is no colour mark colours nothing.
    EXPECT_EQ(KeywordColourings({{"<b>", {"tv"}}, {"", {"tv"}}, {"<c:b>", {"tv"}}}).FirstMatch("tv"), 2);
}

TEST_F(ProgrammeMarks, ColouringCountThatIsNoNumberFallsBackToItsDefault)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=kaksi", "OmaVäritys0=<c:clblue>A;", "OmaVäritys1=<c:clred>B;"});
    std::vector<ColouringEntry> entries = ColouringEntriesOf(*SettingsDocument());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].tag, "<c:clblue>");
    EXPECT_EQ(entries[0].ColourName(), "clblue");
    EXPECT_EQ(entries[0].keywords, (std::vector<AnsiString> {"A"}));

    WriteSettings({"[Väritys]", "OmiaVärityksiä=-1", "OmaVäritys0=<c:clblue>A;"});
    EXPECT_TRUE(ColouringEntriesOf(*SettingsDocument()).empty());
    // A count far beyond the stored entries reads the stored ones and nothing more.
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2000000000", "OmaVäritys0=<c:clblue>A;", "omaväritys3=<c:clred>B;"});
    entries = ColouringEntriesOf(*SettingsDocument());
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[3].tag, "<c:clred>");
    EXPECT_TRUE(entries[1].keywords.empty());
    // An entry stored at a far index (a damaged file) is not read up to: every list and table
    // would read the file that many times.
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2000000000", "OmaVäritys0=<c:clblue>A;", "OmaVäritys5000=<c:clred>B;"});
    entries = ColouringEntriesOf(*SettingsDocument());
    ASSERT_EQ(entries.size(), static_cast<size_t>(kMostListEntries));
    EXPECT_EQ(entries[0].tag, "<c:clblue>");
    // The last entry of the thousand is read; the key one past it is not, nor does it lengthen the list.
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2000000000", "OmaVäritys998=<c:clblue>A;", "OmaVäritys999=<c:clred>B;",
                   "OmaVäritys1000=<c:clgreen>C;"});
    entries = ColouringEntriesOf(*SettingsDocument());
    ASSERT_EQ(entries.size(), static_cast<size_t>(kMostListEntries));
    EXPECT_EQ(entries[998].tag, "<c:clblue>");
    EXPECT_EQ(entries[999].tag, "<c:clred>");
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2000000000", "OmaVäritys998=<c:clblue>A;"});
    EXPECT_EQ(ColouringEntriesOf(*SettingsDocument()).size(), 999u) << "the highest stored key ends the list";
}

TEST_F(ProgrammeMarks, AlarmColourOnTheShownDayAndAfterMidnightOnTheNextDate)
{
    WriteSettings({"[Väritys]", "HälytystenVäri=clFuchsia"});
    TStringList items = ListOf({"<b><c:clblue>21:00 Uutiset", "22:00 Elokuva", "00:30 Yöelokuva"_a, "06:30 Aamu"});
    std::vector<AlarmKey> alarms = {AlarmKeyOfRow("11.2.2026 (KE)", "21:00", "Uutiset"),
                                    AlarmKeyOfRow("12.2.2026 (KE)", "00:30", "Yöelokuva"_a),
                                    AlarmKeyOfRow("12.2.2026 (TO)", "06:30", "Aamu"),
                                    AlarmKeyOfRow("10.2.2026 (TI)", "22:00", "Elokuva")};
    MarkAlarmedProgrammes(items, alarms, kShownDate);
    EXPECT_EQ(LinesOf(items), (std::vector<AnsiString> {"<c:clFuchsia>21:00 Uutiset", "22:00 Elokuva",
                                                         "<c:clFuchsia>00:30 Y\xF6" "elokuva", "06:30 Aamu"}));
    // On the next date the hours 00 to 05 are the shown day's night, 06 and 10 are not.
    items.Clear();
    for (const char* line : {"05:59 Y\xF6", "06:00 Aamu", "10:00 Aamu"})
        items.Add(line);
    alarms = {AlarmKeyOfRow("12.2.2026 (KE)", "05:59", "Y\xF6"), AlarmKeyOfRow("12.2.2026 (TO)", "06:00", "Aamu"),
              AlarmKeyOfRow("12.2.2026 (TO)", "10:00", "Aamu")};
    MarkAlarmedProgrammes(items, alarms, kShownDate);
    EXPECT_EQ(LinesOf(items), (std::vector<AnsiString> {"<c:clFuchsia>05:59 Y\xF6", "06:00 Aamu", "10:00 Aamu"}));
}

TEST_F(ProgrammeMarks, TimelineAlarmTagGoesInFrontOfTheKeywordColour)
{
    TStringList items = ListOf({"<c:clblue>20:00 <w:TV1> Uutiset", "20:00 <w:TV2> Uutiset", "21:00 <w:TV1> Sää"_a});
    MarkAlarmedProgrammesTimeline(items, {AlarmKeyOfRow("11.2.2026 (KE)", "20:00", "Uutiset")}, kShownDate);
    EXPECT_EQ(LinesOf(items), (std::vector<AnsiString> {"<c:clred><c:clblue>20:00 <w:TV1> Uutiset",
                                                         "<c:clred>20:00 <w:TV2> Uutiset", "21:00 <w:TV1> Sää"_a}));
}

TEST_F(ProgrammeMarks, RemovePastProgrammesKeepsBothListsInStep)
{
    TStringList items = ListOf({"06:00 A", "07:00 B", "<b><c:clred>08:00 C", "09:00 D"});
    TStringList descriptions = ListOf({"a", "b", "c", "d"});
    RemovePastProgrammes(items, descriptions);
    EXPECT_EQ(LinesOf(items), (std::vector<AnsiString> {"<b><c:clred>08:00 C", "09:00 D"}));
    EXPECT_EQ(LinesOf(descriptions), (std::vector<AnsiString> {"c", "d"}));
    RemovePastProgrammes(items, descriptions); // the mark is on item 0 now
    EXPECT_EQ(items.Count(), 2);

    TStringList unmarked = ListOf({"06:00 A", "<c:clred><b>07:00 B"});
    TStringList unmarkedDescriptions = ListOf({"a", "b"});
    RemovePastProgrammes(unmarked, unmarkedDescriptions);
    EXPECT_EQ(unmarked.Count(), 2);
}

TEST_F(ProgrammeMarks, PastProgrammesGoOnlyOnTodayInThisWeekWhenAsked)
{
    WriteSettings({"[Muut]", "PoistaMenneetOhjelmat=1"});
    EXPECT_TRUE(PastProgrammesAreRemoved(3, 0)); // Wednesday
    EXPECT_FALSE(PastProgrammesAreRemoved(3, 1));
    EXPECT_FALSE(PastProgrammesAreRemoved(4, 0));
    WriteSettings({});
    EXPECT_FALSE(PastProgrammesAreRemoved(3, 0));
}

TEST_F(ProgrammeMarks, ChannelListStopsAtTheFirstEmptyElement)
{
    EXPECT_EQ(ChannelListOf("TV1;;TV2;"), (std::vector<AnsiString> {"TV1"}));
    EXPECT_EQ(ChannelListOf("TV1;Canal+ Gold;TV2"), (std::vector<AnsiString> {"TV1", "Canal+ Gold"}));
    EXPECT_TRUE(ChannelListOf("").empty());
    WriteSettings({"[Kanavat]", "Käytössä=MTV3;TV1;"});
    EXPECT_EQ(EnabledChannels(), (std::vector<AnsiString> {"MTV3", "TV1"}));
    WriteSettings({});
    std::vector<AnsiString> all = EnabledChannels();
    ASSERT_EQ(all.size(), 26u);
    EXPECT_EQ(all[15], "BBC World");
    EXPECT_EQ(all[25], "Radio Extrem");
}

TEST_F(ProgrammeMarks, ViewEntriesGiveCaptionLayoutAndChannels)
{
    EXPECT_EQ(ViewEntryCaption("Ilta: leffat:Taulukko (laaja):TV1;MTV3;"), "Ilta");
    EXPECT_EQ(ViewEntryCaption("Ilman kaksoispistettä"_a), "");

    ViewEntry view = ParseViewEntry("Ilta:Taulukko 2 (laaja):TV1;;MTV3;Nelo");
    EXPECT_EQ(view.layout, "Taulukko 2 (laaja)");
    EXPECT_EQ(LinesOf(view.channels), (std::vector<AnsiString> {"TV1", "", "MTV3"}));

    EXPECT_EQ(ParseViewEntry("Rikki").layout, "");

    WriteSettings({"[Näkymät]", "OmiaNäkymiä=x", "OmaNäkymä1=Aamu:Aikajono:TV1;"});
    EXPECT_EQ(HighestViewIndex(), 0);
    EXPECT_EQ(ReadViewEntry(1), "Aamu:Aikajono:TV1;");
}

// A view of every channel is far longer than the 200 characters a fixed buffer would hold; each
// channel chosen for it is shown, the last one included.
TEST_F(ProgrammeMarks, ViewOfAllTwentySixChannelsKeepsEveryChannel)
{
    const std::string all = AllChannelsSetting;
    ASSERT_GT(all.size(), 200u);
    WriteSettings({"[Näkymät]", "OmiaNäkymiä=0", "OmaNäkymä0=Kaikki:Taulukko 2 (laaja):" + all});
    const ViewEntry view = ParseViewEntry(ReadViewEntry(0));
    EXPECT_EQ(view.layout, "Taulukko 2 (laaja)");
    ASSERT_EQ(view.channels.Count(), 26);
    EXPECT_EQ(LinesOf(view.channels), std::vector<AnsiString>(ChannelListOf(all)));
    EXPECT_EQ(view.channels[25], "Radio Extrem");

    // Past any length: a channel after 2000 characters of others still counts.
    std::string channels;
    while (channels.size() < 2000)
        channels += "Canal+ Gold;";
    const ViewEntry longView = ParseViewEntry("Kaikki:Aikajono:" + channels + "TV1;");
    EXPECT_EQ(longView.channels.Count(), static_cast<int>(channels.size() / 12) + 1);
    EXPECT_EQ(longView.channels[longView.channels.Count() - 1], "TV1");
}
