// The global hot key in the real main window: from the notification area it fills and shows the
// TV-today window; with the main window shown it switches to what is on now; a press while the
// window is open or being filled changes nothing.
#include "app/MainWindowFixture.h"
#include "dialogs/Tvtanaan.h"
#include "platform/forms/RichEdit.h"
#include "shell/GlobalHotKey.h"
#include "shell/TrayIcon.h"
#include <QTimer>

namespace app_test {
namespace {

class HotKey : public MainWindowTest {
protected:
    void TearDown() override
    {
        delete TVTanaanForm;
        TVTanaanForm = nullptr;
        MainWindowTest::TearDown();
    }

    void Start(const std::vector<std::string>& extraSettings = {})
    {
        std::vector<std::string> settings = {"[Kanavat]", "Käytössä=TV1;Canal+;", "[Muut]", "OletusNäkymä=Normaali",
                                             "[Ulkoasu]", "TVTänään.X=30", "TVTänään.Y=40", "TVTänään.Leveys=500",
                                             "TVTänään.Korkeus=300", "TVTänään.Jakaja=120"};
        settings.insert(settings.end(), extraSettings.begin(), extraSettings.end());
        WriteSettings(settings);
        WriteWeek7("TV1", WednesdayProgrammes());
        WriteWeek7("Canal+", {{"08:00", "Elokuva", "Kuvaus"}, {"11:00", "Sarja", "Jakso 2"}});
        StartWindow();
        app.CreateForm(TVTanaanForm);
    }

    // The main window waits in the notification area, as after F8 on a desktop that has one.
    void HideInTray()
    {
        MainForm->Tray->SetActive(true);
        MainForm->Hide();
        Flush();
    }

    static void Press() { MainForm->TVTanaanHotkey->OnHotKey(MainForm->TVTanaanHotkey); }

    static std::vector<AnsiString> Lines(TStrings* strings)
    {
        std::vector<AnsiString> lines;
        for (int i = 0; i < strings->Count(); ++i)
            lines.push_back(strings->Get(i));
        return lines;
    }
};

TEST_F(HotKey, FromTheNotificationAreaItFillsAndShowsTheTvTodayWindow)
{
    Start();
    HideInTray();
    Press();
    Flush();
    TTVTanaanForm* window = TVTanaanForm;
    ASSERT_TRUE(window->Visible());
    EXPECT_FALSE(MainForm->Visible());
    EXPECT_EQ(Lines(window->Ohjelmat->Items()),
              (std::vector<AnsiString>{"<b> <t>TV1, 09:55 Ryhmä H"_a, " <t>TV1, 10:25 Jääkiekon MM"_a,
                                       " <t>TV1, 12:00 Puoli seitsemän"_a, "", "<b> <t>Canal+, 08:00 Elokuva",
                                       " <t>Canal+, 11:00 Sarja", ""}));
    EXPECT_EQ(Lines(window->Keski_Ohjelmainfot->Items()),
              (std::vector<AnsiString>{"Ensimmäinen esitys."_a, "", "Makasiini.", "", "Kuvaus", "Jakso 2", ""}));
    EXPECT_EQ(window->Caption(), "Keskiviikko 11. Helmikuuta 2026, 10.00");
    EXPECT_EQ(window->Left(), 30);
    EXPECT_EQ(window->Top(), 40);
    EXPECT_EQ(window->Width(), 500);
    EXPECT_EQ(window->Height(), 300);
    EXPECT_EQ(window->SplitPosition(), 120);
    // The first line is chosen and shown in the pane.
    EXPECT_EQ(window->Ohjelmat->ItemIndex(), 0);
    EXPECT_EQ(Lines(window->Keski_Infoedit->Lines()),
              (std::vector<AnsiString>{"TV1, 09:55 Ryhmä H"_a, "Ensimmäinen esitys."_a}));
    EXPECT_EQ(window->Tray, MainForm->Tray);

    // Pressed again while it is open: nothing is filled again.
    window->Ohjelmat->Clear();
    Press();
    Flush();
    EXPECT_EQ(window->Ohjelmat->Count(), 0);
    EXPECT_FALSE(MainForm->Visible());
}

TEST_F(HotKey, TheWindowShowsTheSameRowsAsTheMainWindowsViewWithColourings)
{
    Start({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=0", "OmaVäritys0=<c:clblue>Elokuva;"});
    Press();
    const std::vector<AnsiString> mainRows = Lines(MainForm->Ohjelmat->Items());
    ASSERT_FALSE(mainRows.empty());
    EXPECT_NE(mainRows[4].find("<c:clblue>"), AnsiString::npos) << mainRows[4];

    HideInTray();
    Press();
    EXPECT_EQ(Lines(TVTanaanForm->Ohjelmat->Items()), mainRows);
    EXPECT_EQ(Lines(TVTanaanForm->Keski_Ohjelmainfot->Items()), Lines(MainForm->Keski_Ohjelmainfot->Items()));
}

TEST_F(HotKey, APressWhileTheWindowIsBeingFilledIsIgnored)
{
    Start();
    HideInTray();
    int presses = 0;
    // Runs inside the fill, which lets the queue run after each channel.
    QTimer::singleShot(0, [&presses] {
        ++presses;
        Press();
    });
    Press();
    Flush();
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(TVTanaanForm->Ohjelmat->Count(), 7);
    EXPECT_EQ(TVTanaanForm->Keski_Ohjelmainfot->Count(), 7);
}

TEST_F(HotKey, AfterTheWeekTurnedInTheNotificationAreaItShowsTheNewWeeksDay)
{
    ClockSet(At(2026, 2, 15, 21, 0));
    Start();
    std::vector<std::vector<fixture::Programme>> week(7);
    week[6] = {{"20:00", "Sunnuntai-ilta", "Viikko 7"}};
    fixture::WriteWeek(folder.Path() + "Tiedot/", 1, "07", 2026, 2, 9, week);
    week[6].clear();
    week[0] = {{"09:00", "Maanantai-aamu", "Viikko 8"}};
    fixture::WriteWeek(folder.Path() + "Tiedot/", 1, "08", 2026, 2, 16, week);
    HideInTray();
    Press();
    Flush();
    ASSERT_TRUE(TVTanaanForm->Visible());
    EXPECT_EQ(TVTanaanForm->Caption(), "Sunnuntai 15. Helmikuuta 2026, 21.00");
    EXPECT_EQ(Lines(TVTanaanForm->Keski_Ohjelmainfot->Items()).front(), "Viikko 7");
    TVTanaanForm->Close();
    Flush();
    ASSERT_FALSE(TVTanaanForm->Visible());

    // Monday morning: the window opens on the new week's Monday.
    ClockSet(At(2026, 2, 16, 10, 0));
    Press();
    Flush();
    ASSERT_TRUE(TVTanaanForm->Visible());
    EXPECT_EQ(TVTanaanForm->Caption(), "Maanantai 16. Helmikuuta 2026, 10.00");
    EXPECT_EQ(Lines(TVTanaanForm->Ohjelmat->Items()).front(), "<b> <t>TV1, 09:00 Maanantai-aamu");
    EXPECT_EQ(Lines(TVTanaanForm->Keski_Ohjelmainfot->Items()).front(), "Viikko 8");
}

TEST_F(HotKey, WithTheMainWindowShownItSwitchesToWhatIsOnNow)
{
    Start();
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    Press();
    Flush();
    EXPECT_FALSE(TVTanaanForm->Visible());
    EXPECT_EQ(MainForm->V_Muut->ItemIndex(), 1);
    EXPECT_EQ(MainForm->V_Kanavat->ItemIndex(), -1);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV:ssä nyt ja seuraavaksi"_a);
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 7);

    // Already showing it: the view is not built again.
    MainForm->Ohjelmat->Clear();
    Press();
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 0);
    EXPECT_FALSE(TVTanaanForm->Visible());
}

} // namespace
} // namespace app_test
