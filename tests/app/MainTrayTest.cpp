// The main window in and out of the notification area, and the hot key that calls up the
// TV-today window while the main window is out of sight.
#include "MainWindowFixture.h"
#include "dialogs/Tvtanaan.h"
#include "services/RecordingKeyGrabber.h"
#include "services/RecordingNotificationArea.h"
#include "shell/GlobalHotKey.h"
#include "shell/TrayIcon.h"
#include <QApplication>

namespace app_test {
namespace {

class MainTrayTest : public MainWindowTest {
protected:
    void StartMinimisingToTray()
    {
        WriteSettings({"[Kanavat]", "Käytössä=TV1;Canal+;", "[Muut]", "OletusNäkymä=Normaali",
                       "SystrayPienennys=1"});
        WriteWeek7("TV1", WednesdayProgrammes());
        StartWindow();
        app.CreateForm(TVTanaanForm);
        TVTanaanForm->Tray = MainForm->Tray;
    }

    // As the window manager's minimise button does it, past the form's own state.
    void Minimise()
    {
        MainForm->Widget()->setWindowState(Qt::WindowMinimized);
        Flush();
    }

    // The icon's own road: the notification area reports a press and a release on it.
    void ClickTrayIcon()
    {
        SendMessage(MainForm->Tray->Handle(), WM_TRAYICON, 0, WM_LBUTTONDOWN);
        SendMessage(MainForm->Tray->Handle(), WM_TRAYICON, 0, WM_LBUTTONUP);
        Flush();
    }

    void TearDown() override
    {
        delete TVTanaanForm;
        TVTanaanForm = nullptr;
        MainWindowTest::TearDown();
    }
};

TEST_F(MainTrayTest, ClickOnTheIconBringsBackAWindowMinimisedIntoTheNotificationArea)
{
    RecordingNotificationArea area;
    StartMinimisingToTray();
    Minimise();
    ASSERT_TRUE(MainForm->Tray->Active());
    ASSERT_FALSE(MainForm->Visible());
    EXPECT_FALSE(app.TaskbarWindowVisible());
    // Meanwhile the user works in another window.
    TForm other(nullptr);
    other.Show();
    other.Activate();
    Flush();
    ASSERT_TRUE(other.Active());

    ClickTrayIcon();
    EXPECT_FALSE(MainForm->Tray->Active());
    EXPECT_FALSE(area.shown);
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_EQ(MainForm->WindowState(), wsNormal);
    EXPECT_FALSE(MainForm->Widget()->isMinimized());
    EXPECT_TRUE(app.TaskbarWindowVisible());
    EXPECT_TRUE(MainForm->Active());

    // A maximised window comes back maximised.
    MainForm->SetWindowState(wsMaximized);
    Flush();
    MainForm->Pienennohjelmatykaluriville1Click(MainForm);
    Flush();
    ASSERT_FALSE(MainForm->Visible());
    ClickTrayIcon();
    EXPECT_EQ(MainForm->WindowState(), wsMaximized);
}

TEST_F(MainTrayTest, WithoutANotificationAreaTheHotKeyTreatsTheMinimisedWindowAsHidden)
{
    StartMinimisingToTray();
    ASSERT_FALSE(TTrayIcon::TrayAvailable());
    Minimise();
    ASSERT_FALSE(MainForm->Tray->Active());
    ASSERT_EQ(MainForm->WindowState(), wsMinimized);

    MainForm->TVTanaanHotkeyHotKey(MainForm->TVTanaanHotkey);
    Flush();
    EXPECT_TRUE(TVTanaanForm->Visible());
    EXPECT_GT(TVTanaanForm->Ohjelmat->Count(), 0);
    // The main window keeps its view and stays where the user put it.
    EXPECT_EQ(MainForm->V_Muut->ItemIndex(), -1);
    EXPECT_EQ(MainForm->WindowState(), wsMinimized);

    // Shown, the main window switches to what is on now instead.
    TVTanaanForm->Close();
    MainForm->SetWindowState(wsNormal);
    Flush();
    MainForm->TVTanaanHotkeyHotKey(MainForm->TVTanaanHotkey);
    Flush();
    EXPECT_FALSE(TVTanaanForm->Visible());
    EXPECT_EQ(MainForm->V_Muut->ItemIndex(), 1);
}

TEST_F(MainTrayTest, AHotKeyThatAnotherProgramHoldsIsReportedOnce)
{
    // A second copy of the program: the first one holds the key.
    grabber.result = GrabResult::Taken;
    ExpectBox([this](ModalBox& box) {
        EXPECT_EQ(box.Text(), Cp("TV tänään -pikanäppäin on jo toisen ohjelman käytössä, eikä se toimi tässä "
                                 "ohjelmassa."));
        EXPECT_TRUE(box.Press("OK"));
    });
    StartMinimisingToTray();
    EXPECT_FALSE(MainForm->TVTanaanHotkey->Registered());
    EXPECT_EQ(boxes.size(), 1u);
    // Trying again (as the settings dialog does) says nothing more.
    MainForm->TVTanaanHotkey->SetKey(16507);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(MainTrayTest, ADesktopWithoutGlobalKeysIsNoNews)
{
    grabber.result = GrabResult::Unavailable;
    StartMinimisingToTray();
    EXPECT_FALSE(MainForm->TVTanaanHotkey->Registered());
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace app_test
