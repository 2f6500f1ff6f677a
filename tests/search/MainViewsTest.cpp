// Every own-view layout opened from the views menu of the real main window: the tables in the
// browser with their colours and alarm colour, a programme link that only reaches the window's
// navigation handler, the browser's context menu kept away, and the time line.
#include "app/MainWindowFixture.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Panel.h"
#include "shell/BrowserHost.h"
#include "support/WebPageDriver.h"
#include <QApplication>

namespace app_test {
namespace {

struct Navigation {
    AnsiString url;
    bool cancel;
};

class OwnViews : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // What a programme link shows belongs to the link's own handler: any box it opens is
        // closed with OK. No other box may open.
        SetModalHandler([this](ModalBox& box) {
            if (!clickingLink) {
                ADD_FAILURE() << "unexpected box \"" << box.Caption() << "\": " << box.Text();
                box.Close(mrCancel);
                return;
            }
            box.Press("OK");
        });
    }

    void Start()
    {
        WriteSettings({"[Kanavat]", "Käytössä=TV1;Canal+;TV2;", "[Muut]", "OletusNäkymä=Normaali",
                       "[Väritys]", "Käytössä=1", "OmiaVärityksiä=0", "OmaVäritys0=<c:clblue>Elokuva;",
                       "[Näkymät]", "OmiaNäkymiä=4", "OmaNäkymä0=A:Taulukko:TV1;Canal+;",
                       "OmaNäkymä1=B:Taulukko (laaja):TV1;Canal+;", "OmaNäkymä2=C:Taulukko 2:TV1;Canal+;",
                       "OmaNäkymä3=D:Taulukko 2 (laaja):TV1;Canal+;", "OmaNäkymä4=E:Aikajono:TV2;TV1;Canal+;"});
        WriteWeek7("TV1", WednesdayProgrammes());
        WriteWeek7("Canal+", {{"08:00", "Elokuva", "Kuvaus"}, {"11:00", "Sarja", "Jakso 2"}});
        WriteWeek7("TV2", {{"08:00", "Aamu", ""}, {"21:00", "Uutiset", ""}});
        fixture::WriteBytes(folder.Path() + "QEX.ALS",
                            "11.2.2026 (KE)\r\nTV1\r\n21:00\r\nElokuva: Tuntematon sotilas\r\n\r\n"
                            "Sotaelokuva.\r\n#NRM \r\n\r\n");
        StartWindow();
        // Every navigation is recorded, then handed to the window's own handler.
        auto windowHandler = MainForm->WWW->OnBeforeNavigate2;
        ASSERT_TRUE(windowHandler);
        MainForm->WWW->OnBeforeNavigate2 = [this, windowHandler](TObject* sender, void* browser, const AnsiString& url,
                                                                 int flags, const AnsiString& frame,
                                                                 const AnsiString& postData,
                                                                 const AnsiString& headers, bool& cancel) {
            windowHandler(sender, browser, url, flags, frame, postData, headers, cancel);
            navigations.push_back({url, cancel});
        };
    }

    // Opens an own view; a table is waited for until the browser shows it.
    void Open(int view)
    {
        MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2 + view));
        if (InFront(MainForm->WWW)) {
            ASSERT_TRUE(webpage::WaitForPage(*MainForm->WWW));
        }
    }

    TBrowserHost& Browser() const { return *MainForm->WWW; }

    // Which of the stacked controls shows in the middle of the list area.
    bool InFront(TWinControl* control) const
    {
        QWidget* area = MainForm->ListatPanel->Widget();
        QWidget* hit = area->childAt(area->rect().center());
        return hit && (hit == control->Widget() || control->Widget()->isAncestorOf(hit));
    }

    // A programme link clicked in the shown page reaches the window once, with its raw target,
    // and is cancelled; the page stays as it was.
    void ExpectLinkCancelled(const char* title, const AnsiString& target)
    {
        navigations.clear();
        const AnsiString page = webpage::DocumentText(Browser());
        clickingLink = true;
        webpage::Click(Browser(), webpage::CentreOf(Browser(), title));
        webpage::RunUntil([&] { return !navigations.empty(); });
        webpage::Settle(Browser());
        clickingLink = false;
        ASSERT_EQ(navigations.size(), 1u) << title;
        EXPECT_EQ(navigations[0].url, target);
        EXPECT_TRUE(navigations[0].cancel);
        EXPECT_EQ(webpage::DocumentText(Browser()), page);
        EXPECT_TRUE(InFront(MainForm->WWW));
    }

    std::vector<Navigation> navigations;
    bool clickingLink = false;
};

const AnsiString kCaption = "QEX 2000 - Keskiviikko 11. Helmikuuta 2026";

// The sorted start times of TV1 and Canal+ make the rows: 06:00 1, 08:00 2, 09:00 3, 09:55 4,
// 10:25 5, 11:00 6, 12:00 7, 18:00 8, 21:00 9, 00:30 10, 01:45 11.
TEST_F(OwnViews, TablesOpenInTheBrowserWithColoursAndLinksThatStayInTheWindow)
{
    Start();
    for (int view = 0; view < 4; ++view) {
        SCOPED_TRACE(view);
        Open(view);
        EXPECT_EQ(MainForm->Caption(), kCaption);
        EXPECT_TRUE(MainForm->MM_Nakyma->Items(2 + view)->Checked());
        EXPECT_FALSE(MainForm->V_Panel->Visible());
        EXPECT_TRUE(InFront(MainForm->WWW));
        ASSERT_NE(MainForm->ListingGrid, nullptr);
        EXPECT_EQ(MainForm->ListingGrid->Cells(1, 0), "TV1");
        EXPECT_EQ(MainForm->ListingGrid->Cells(2, 0), "Canal+");

        // A real table, the keyword colour on Canal+'s film, the alarm colour on TV1's.
        EXPECT_TRUE(webpage::InTableCell(Browser(), "Sarja"));
        EXPECT_EQ(webpage::ColourOf(Browser(), "Sarja"), "rgb(0, 0, 0)");
        const bool wide = view % 2 == 1;
        EXPECT_EQ(webpage::HasText(Browser(), "Jakso 2"), wide);
        EXPECT_EQ(webpage::HasText(Browser(), "Sotaelokuva."), wide);
        EXPECT_EQ(webpage::ColourOf(Browser(), "Tuntematon"), "rgb(255, 0, 0)");
        // The bare "&nbsp" of the page is shown as a blank, never as its letters.
        EXPECT_EQ(webpage::DocumentText(Browser()).find("&nbsp"), AnsiString::npos);

        ExpectLinkCancelled("Tuntematon", "##&1-9");
        ExpectLinkCancelled("Sarja", "##&2-6");
    }
    // Canal+'s 08:00 film carries the keyword colour in every table.
    Open(0);
    EXPECT_EQ(webpage::ColourOf(Browser(), "Elokuva"), "rgb(0, 0, 255)");
    Open(2);
    EXPECT_EQ(webpage::ColourOf(Browser(), "Elokuva"), "rgb(0, 0, 255)");
    ExpectLinkCancelled("Elokuva", "##&2-2");
}

TEST_F(OwnViews, TheBrowsersContextMenuIsNeverShown)
{
    Start();
    Open(0);
    int requests = 0;
    auto windowHandler = Browser().OnShowContextMenu;
    Browser().OnShowContextMenu = [&](DWORD id, TPoint* point, void* target, void* object) {
        ++requests;
        return windowHandler(id, point, target, object);
    };
    for (const char* where : {"Sarja", "TV1"})
        webpage::Click(Browser(), webpage::CentreOf(Browser(), where), Qt::RightButton);
    EXPECT_TRUE(webpage::RunUntil([&] { return requests == 2; }));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(OwnViews, TimeLineMergesTheChannelsInViewOrderWithTheirMarks)
{
    Start();
    Open(0);
    Open(4);
    EXPECT_EQ(MainForm->Caption(), kCaption);
    EXPECT_TRUE(InFront(MainForm->Ohjelmat));
    EXPECT_TRUE(MainForm->MM_Nakyma->Items(6)->Checked());
    const std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[0], "06:00 <w:TV1> Aamu-tv");
    EXPECT_EQ(items[1], "08:00 <w:TV2> Aamu");
    EXPECT_EQ(items[2], "<c:clblue>08:00 <w:Canal+> Elokuva");
    EXPECT_EQ(items[4], Cp("<b>09:55 <w:TV1> Ryhmä H"));
    EXPECT_EQ(items[9], "21:00 <w:TV2> Uutiset");
    EXPECT_EQ(items[10], "<c:clred><c:clblue>21:00 <w:TV1> Elokuva: Tuntematon sotilas");
    EXPECT_EQ(items[11], "<c:clblue>00:30 <w:TV1> Yöelokuva"_a);
    EXPECT_EQ(Items(MainForm->Keski_Ohjelmainfot)[10], "Sotaelokuva.");
    // Back to a table: the browser in front again, the list behind.
    Open(1);
    EXPECT_TRUE(InFront(MainForm->WWW));
}

} // namespace
} // namespace app_test
