// Titles and descriptions that look like the programme list's marks, in the real main window:
// the list draws them whole, the information pane shows them whole and an alarm keeps them,
// as an alarm from a table's information box does.
#include "AlarmWindowFixture.h"
#include "platform/forms/RichEdit.h"
#include "support/ListRowImage.h"

namespace alarm_test {
namespace {

class ListingTextTest : public AlarmWindowTest {
protected:
    void StartWithHostileTitles()
    {
        Settings({});
        Listing("TV1", "50", EncodeDate(2026, 12, 7),
                {{{"18:00", "<table>", "<b>Lihava</b> &amp; <t"},
                  {"20:00", "<w:TV2> Uutiset", ""},
                  {"21:00", "<t", "<FONT COLOR=red>"},
                  {"23:00", "Loppu", "Yö."}}});
        Start({});
        ASSERT_EQ(MainForm->Ohjelmat->Count(), 4);
    }

    static std::vector<AnsiString> PaneOf(int line)
    {
        SelectProgrammes({line});
        MainForm->OhjelmatClick(nullptr);
        return Pane();
    }
};

} // namespace

TEST_F(ListingTextTest, ThePaneShowsTitlesAndDescriptionsWhole)
{
    StartWithHostileTitles();
    EXPECT_EQ(PaneOf(0), (std::vector<AnsiString>{"18:00 <table>", "<b>Lihava</b> &amp; <t"}));
    // Without a description the title stands in for it.
    EXPECT_EQ(PaneOf(1), (std::vector<AnsiString>{"20:00 <w:TV2> Uutiset", "<w:TV2> Uutiset"}));
    EXPECT_EQ(PaneOf(2), (std::vector<AnsiString>{"21:00 <t", "<FONT COLOR=red>"}));
}

TEST_F(ListingTextTest, AlarmsKeepTheWholeTitleAndTheShownChannel)
{
    StartWithHostileTitles();
    SelectProgrammes({0, 1, 2});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"<table>", "<w:TV2> Uutiset", "<t"}));
    for (const AlarmRow& row : MainForm->AlarmRows())
        EXPECT_EQ(row.SubItems[afChannel], "TV1");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(MainForm->Ohjelmat->Items()->Get(i).rfind("<c:clred>", 0), 0u) << "line " << i << " shows its alarm";

    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Text(), "Valittu ohjelma on jo h\xE4lytyksiss\xE4 \r\n\r\n(20:00 <w:TV2> Uutiset)");
        EXPECT_TRUE(box.Press("OK"));
    });
    SelectProgrammes({1});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 3);
}

// A channel view line whose title begins like a time-line column mark is one line of text, not
// time, channel and title in three columns with gaps between.
TEST_F(ListingTextTest, TheListDrawsATitleThatLooksLikeAColumnMarkAsText)
{
    StartWithHostileTitles();
    SelectProgrammes({3});
    Flush();
    EXPECT_TRUE(fixture::AnyPixel(fixture::ListRowImage(*MainForm->Ohjelmat, 1), 70, 128, fixture::Dark));
}

} // namespace alarm_test
