// The main window in the notification area: going there (F8, minimising with Ctrl or by the
// setting, the hidden start) and coming back with a click on the icon.
#include "app/Main.h"
#include "listings/Settings.h"
#include "platform/forms/KeyCodes.h"
#include "platform/messages/Application.h"
#include "shell/TrayIcon.h"
#include <QGuiApplication>

namespace {

bool IsCtrlKeyDown()
{
    return ShiftStateOf(QGuiApplication::queryKeyboardModifiers()).Contains(ssCtrl);
}

} // namespace

void TMainForm::HideToTray()
{
    if (!TTrayIcon::TrayAvailable()) {
        Application->Minimize();
        return;
    }
    Tray->SetActive(true);
    Application->ShowTaskbarWindow(false);
    Hide();
}

bool TMainForm::OutOfSight() const
{
    if (Tray->Active())
        return true;
    return !TTrayIcon::TrayAvailable() && WindowState() == wsMinimized;
}

void TMainForm::AppMinimize(TObject*)
{
    if (IsCtrlKeyDown() || IniReadString("Muut", "SystrayPienennys", "0") == "1")
        HideToTray();
}

void TMainForm::Pienennohjelmatykaluriville1Click(TObject*)
{
    HideToTray();
}

void TMainForm::TrayClick(TObject*, TMouseButton, TShiftState, int, int)
{
    Application->Restore();
    Application->ShowMainForm = true;
    // After a hidden start this is the first show, which opens the default view.
    Show();
    Tray->SetActive(false);
    Application->ShowTaskbarWindow(true);
    Activate();
}

// The icon's click already restores, shows, raises and activates from every place the window
// can be.
void TMainForm::ComeForward()
{
    TrayClick(this, mbLeft, {}, 0, 0);
}
