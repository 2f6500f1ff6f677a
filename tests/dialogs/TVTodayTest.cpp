#include "DialogsFixture.h"
#include "app/NowOnAirRows.h"
#include "app/ProgramMain.h"
#include "dialogs/Tvtanaan.h"
#include "forms/Input.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Splitter.h"
#include "shell/TrayIcon.h"
#include "support/ListRowImage.h"
#include <memory>

namespace {

using fixture::AnyPixel;
using fixture::Dark;
using fixture::Red;

class TVTodayTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        MainInitialization();
        // The program's main window stands first, so closing this window does not end the run.
        App.CreateForm(Main);
        Tray = std::make_unique<TTrayIcon>(nullptr);
        // As the main window has it at design: not in the notification area.
        Tray->SetActive(false);
        Window = std::make_unique<TTVTanaanForm>(nullptr);
        Window->Tray = Tray.get();
    }
    void TearDown() override
    {
        Window.reset();
        Tray.reset();
        delete Main;
        FormatSettings() = SavedFormats;
        DialogsTest::TearDown();
    }

    void SetRows(const std::vector<std::pair<AnsiString, AnsiString>>& rows)
    {
        Window->ClearLists();
        for (const auto& [line, description] : rows) {
            Window->Ohjelmat->Items()->Add(line);
            Window->Keski_Ohjelmainfot->Items()->Add(description);
        }
    }
    std::vector<AnsiString> PaneLines() const { return Items(*Window->Keski_Infoedit->Lines()); }
    TFontStyles PaneLineStyle(int line) const
    {
        TRichEdit* pane = Window->Keski_Infoedit;
        pane->SetSelStart(pane->LineStart(line));
        pane->SetSelLength(1);
        return pane->SelAttributes()->Style();
    }

    // One drawn row of the programme list, as pixels.
    QImage RowImage(int index) const { return fixture::ListRowImage(*Window->Ohjelmat, index); }

    TFormatSettings SavedFormats = FormatSettings();
    TForm* Main = nullptr;
    std::unique_ptr<TTrayIcon> Tray;
    std::unique_ptr<TTVTanaanForm> Window;
};

} // namespace

TEST_F(TVTodayTest, TheHotKeyOpeningShowsWhatIsOnAtTheClockWithTheFirstLineChosen)
{
    // Wednesday 11.2.2026 on TV1 (code 1) and Nelonen (code 4); MTV3 has no listing.
    WriteChannelDay(1, 3, {{"06:00", "Aamu-tv", "Uutisia ja säätä."}, {"09:00", "Uutiset", "Päivän uutiset."},
                           {"12:00", "Puoli seitsemän", "Makasiini."}, {"18:00", "Iltauutiset", ""},
                           {"21:00", "Elokuva", "Sotaelokuva."}});
    WriteChannelDay(4, 3, {{"11:30", "Salatut elämät", "Sarja."}, {"12:30", "Ostoskanava", "Mainoksia."}});
    ClockSet(At(2026, 2, 11, 12, 10));

    Window->ClearLists();
    for (const char* channel : {"TV1", "MTV3", "Nelonen"})
        AddNowOnAirRows(channel, "11.2.2026", *Window->Ohjelmat->Items(), *Window->Keski_Ohjelmainfot->Items());
    Window->RestorePlacement();
    Window->ShowOnTop();
    Flush();

    EXPECT_EQ(Items(*Window->Ohjelmat->Items()),
              (std::vector<AnsiString>{"<b> <t>TV1, 12:00 Puoli seitsemän"_a, " <t>TV1, 18:00 Iltauutiset",
                                       " <t>TV1, 21:00 Elokuva", "", "<b> <t>Nelonen, 11:30 Salatut elämät"_a,
                                       " <t>Nelonen, 12:30 Ostoskanava", ""}));
    EXPECT_TRUE(Window->Visible());
    EXPECT_EQ(Window->Caption(), "Keskiviikko 11. Helmikuuta 2026, 12.10");
    EXPECT_EQ(Window->Width(), 440);
    EXPECT_EQ(Window->Height(), 190);
    EXPECT_EQ(Window->SplitPosition(), 75);
    EXPECT_EQ(Window->Ohjelmat->ItemIndex(), 0);
    EXPECT_EQ(PaneLines(), (std::vector<AnsiString>{"TV1, 12:00 Puoli seitsemän"_a, "Makasiini."}));
    EXPECT_EQ(PaneLineStyle(0), TFontStyles{fsBold});
    EXPECT_EQ(PaneLineStyle(1), TFontStyles{});
}

TEST_F(TVTodayTest, ALineWithoutDescriptionShowsItsTitleAgain)
{
    SetRows({{" <t>TV1, 18:00 Iltauutiset", "ok"},
             {"<c:clRed> <t>TV2, 18:30 Ryhmä H"_a, ""},
             {" <t>TV1, 19:00 <b>", "<b>"}});
    Window->Ohjelmat->SetItemIndex(0);
    Window->OhjelmatClick(Window->Ohjelmat);
    EXPECT_EQ(PaneLines(), (std::vector<AnsiString>{"TV1, 18:00 Iltauutiset", "Iltauutiset"}));
    Window->Ohjelmat->SetItemIndex(1);
    Window->OhjelmatClick(Window->Ohjelmat);
    EXPECT_EQ(PaneLines(), (std::vector<AnsiString>{"TV2, 18:30 Ryhmä H"_a, "Ryhmä H"_a}));
    // Listing text is shown whole: a description that looks like a mark is a description.
    Window->Ohjelmat->SetItemIndex(2);
    Window->OhjelmatClick(Window->Ohjelmat);
    EXPECT_EQ(PaneLines(), (std::vector<AnsiString>{"TV1, 19:00 <b>", "<b>"}));
    // An empty row between channels shows nothing worth reading, and nothing breaks.
    SetRows({{"", ""}});
    Window->Ohjelmat->SetItemIndex(0);
    Window->OhjelmatClick(Window->Ohjelmat);
    EXPECT_EQ(Trim(Window->Keski_Infoedit->Text()), "");
}

TEST_F(TVTodayTest, LinesAreDrawnInTheirColumnsAndColours)
{
    SetRows({{"<c:clRed> <t>TV1, 12:00 Uutiset", ""},
             {"<c:clRed> <t>TV2, 12:00 Uutiset", ""},
             {" <t>TV1, 12:00 <w:TV2> <t>Uutiset", ""},
             {"<b> <t>TV1, 12:00 <table>", ""},
             {"", ""}});
    Window->Show();
    Window->Ohjelmat->SetItemIndex(1);
    Flush();

    // The what-is-on-now row: the channel from 2 pixels, time and title from 100.
    const QImage onNow = RowImage(0);
    EXPECT_TRUE(AnyPixel(onNow, 2, 40, Red));
    EXPECT_FALSE(AnyPixel(onNow, 50, 98, Red));
    EXPECT_TRUE(AnyPixel(onNow, 100, 140, Red));
    // Selected, it is drawn in the window colour whatever its tag says.
    EXPECT_FALSE(AnyPixel(RowImage(1), 0, 300, Red));
    // A title that holds other layouts' marks is text in the same two columns.
    for (int row : {2, 3}) {
        const QImage titled = RowImage(row);
        EXPECT_TRUE(AnyPixel(titled, 2, 20, Dark)) << row;
        EXPECT_FALSE(AnyPixel(titled, 50, 98, Dark)) << row;
        EXPECT_TRUE(AnyPixel(titled, 100, 140, Dark)) << row;
    }
    EXPECT_FALSE(AnyPixel(RowImage(4), 0, 300, Dark));
}

TEST_F(TVTodayTest, TheStoredSplitSurvivesTheFrameArrivingAfterTheWindowShows)
{
    Window->RestorePlacement();
    // Shown for the first time, the window is taller inside than it will be: the window manager
    // adds its frame only afterwards, and the window then shrinks to the outer height asked for.
    Window->SetBounds(Window->Left(), Window->Top(), Window->Width(), Window->Height() + 25);
    Window->ShowOnTop();
    Flush();
    Window->SetBounds(Window->Left(), Window->Top(), Window->Width(), 190);
    Flush();
    EXPECT_EQ(Window->SplitPosition(), 75);
    PressKey(Window->Ohjelmat->Widget(), Qt::Key_Escape);
    Flush();
    EXPECT_EQ(Setting("Ulkoasu", "TVTänään.Jakaja"), "75");

    // Once the window has its frame, the pane keeps its height when the window changes size.
    Window->Show();
    Flush();
    Window->SetSplitPosition(60);
    const int pane = Window->Keski_Infoedit->Height();
    Window->SetBounds(Window->Left(), Window->Top(), Window->Width(), Window->Height() + 40);
    Flush();
    EXPECT_EQ(Window->Keski_Infoedit->Height(), pane);
    EXPECT_EQ(Window->SplitPosition(), 100);
}

TEST_F(TVTodayTest, EscapeClosesAndStoresThePlaceSizeAndSplitForTheNextOpening)
{
    Window->SetBounds(30, 40, 500, 300);
    Window->Show();
    Flush();
    Window->SetSplitPosition(120);
    Flush();
    EXPECT_EQ(Window->SplitPosition(), 120);
    Main->Hide();
    PressKey(Window->Ohjelmat->Widget(), Qt::Key_Escape);
    Flush();
    EXPECT_FALSE(Window->Visible());
    EXPECT_EQ(Setting("Ulkoasu", "TVTänään.X"), IntToStr(Window->Left()));
    EXPECT_EQ(Setting("Ulkoasu", "TVTänään.Y"), IntToStr(Window->Top()));
    EXPECT_EQ(Setting("Ulkoasu", "TVTänään.Leveys"), "500");
    EXPECT_EQ(Setting("Ulkoasu", "TVTänään.Korkeus"), "300");
    EXPECT_EQ(Setting("Ulkoasu", "TVTänään.Jakaja"), "120");
    // The main window was not in the notification area: it is shown again.
    EXPECT_TRUE(Main->Visible());

    TTVTanaanForm next(nullptr);
    next.RestorePlacement();
    EXPECT_EQ(next.Width(), 500);
    EXPECT_EQ(next.Height(), 300);
    EXPECT_EQ(next.SplitPosition(), 120);
}

TEST_F(TVTodayTest, EnterClosesWithoutATaskbarButtonWhileTheMainWindowIsInTheNotificationArea)
{
    Tray->SetActive(true);
    Main->Hide();
    App.ShowTaskbarWindow(false);
    Window->Show();
    Flush();
    PressKey(Window->Ohjelmat->Widget(), Qt::Key_Return);
    Flush();
    EXPECT_FALSE(Window->Visible());
    EXPECT_FALSE(App.TaskbarWindowVisible());
    EXPECT_FALSE(Main->Visible());
    EXPECT_NE(Setting("Ulkoasu", "TVTänään.Leveys"), "<absent>");
}

TEST_F(TVTodayTest, ASplitOutsideTheWindowKeepsThePaneAtItsSmallestHeight)
{
    Window->SetBounds(0, 0, 400, 200);
    Window->SetSplitPosition(1000);
    EXPECT_EQ(Window->Keski_Infoedit->Height(), 50);
    Window->SetSplitPosition(-40);
    EXPECT_EQ(Window->SplitPosition(), 0);
}
