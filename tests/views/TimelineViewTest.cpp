// The time line: channels merged in start-time order, then view order, with their marks.
#include "listings/NakymaAikajono.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

class Timeline : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        WriteWednesday("TV1", {{"06:00", "Uutiset", "Aamun uutiset"},
                               {"20:00", "Elokuva", "Jännitystä"},
                               {"23:00", "Iltauutiset", ""},
                               {"00:30", "Yöelokuva", "Kauhua"}});
        WriteWednesday("TV2", {{"07:00", "Aamu", "a"},
                               {"20:00", "Uutiset", "Illan uutiset"},
                               {"21:00", "Sää", "Poutaa"},
                               {"01:00", "Yöradio", "Musiikkia"}});
    }
};

} // namespace

TEST_F(Timeline, MergesByTimeThenViewOrderWithMarks)
{
    WriteSettings({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=1", "OmaVäritys0=<c:clBlue>Uutiset;",
                   "OmaVäritys1=<c:clLime>Elokuva;Uutiset;", "[Näkymät]", "KloAika=1"});
    TStringList items = ListOf({"vanha"});
    TStringList descriptions = ListOf({"vanha"});
    TimelineView view = BuildTimelineView(ListOf({"TV2", "TV1", "MTV3"}), kShownDate,
                                          {AlarmKeyOfRow("11.2.2026 (KE)", "20:00", "Uutiset"),
                                           AlarmKeyOfRow("12.2.2026 (KE)", "00:30", "Y\xF6" "elokuva")},
                                          items, descriptions);
    EXPECT_EQ(LinesOf(items), (std::vector<AnsiString> {
                                  "<c:clBlue>06:00 <w:TV1> Uutiset",
                                  "07:00 <w:TV2> Aamu",
                                  "<c:clred><c:clBlue>20:00 <w:TV2> Uutiset",
                                  "<c:clLime>20:00 <w:TV1> Elokuva",
                                  "21:00 <w:TV2> S\xE4\xE4",
                                  "23:00 <w:TV1> Iltauutiset",
                                  "<c:clred>00:30 <w:TV1> Y\xF6" "elokuva",
                                  "01:00 <w:TV2> Y\xF6radio",
                              }));
    EXPECT_EQ(LinesOf(descriptions),
              (std::vector<AnsiString> {"Aamun uutiset", "a", "Illan uutiset", "J\xE4nnityst\xE4", "Poutaa", "",
                                        "Kauhua", "Musiikkia"}));
    EXPECT_EQ(view.caption, "QEX 2000 - Keskiviikko 11. Helmikuuta 2026");

    // The grid: titles only, time column unmarked, the channel without a listing left empty.
    const TStringGrid& grid = *view.grid;
    ASSERT_EQ(grid.ColCount(), 4);
    ASSERT_EQ(grid.RowCount(), 8);
    EXPECT_EQ(grid.Cells(3, 0), "MTV3");
    EXPECT_EQ(grid.Cells(1, 3), "Uutiset");
    EXPECT_EQ(grid.Cells(3 + 1, 3), "Illan uutiset");
    EXPECT_EQ(grid.Cells(0, 7), "01:00");
    for (int r = 1; r < grid.RowCount(); ++r)
        EXPECT_EQ(grid.Cells(3, r), "") << r;
}

TEST_F(Timeline, WithoutColouringsOnlyTheAlarmColourIsPut)
{
    TStringList items, descriptions;
    BuildTimelineView(ListOf({"TV1"}), kShownDate, {AlarmKeyOfRow("11.2.2026 (KE)", "06:00", "Uutiset")}, items,
                      descriptions);
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items[0], "<c:clred>06:00 <w:TV1> Uutiset");
    EXPECT_EQ(items[1], "20:00 <w:TV1> Elokuva");
}

TEST_F(Timeline, NoListingLeavesTheListsEmpty)
{
    TStringList items = ListOf({"vanha"});
    TStringList descriptions = ListOf({"vanha"});
    TimelineView view = BuildTimelineView(ListOf({"MTV3", "Nelonen"}), kShownDate, {}, items, descriptions);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(descriptions.Count(), 0);
    EXPECT_EQ(view.grid->RowCount(), 1);
}
