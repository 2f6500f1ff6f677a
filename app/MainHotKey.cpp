// The global hot key: while the main window waits in the notification area it calls up the
// TV-today window of what is on now and next on every channel; while the main window is shown it
// switches it to the same view.
#include "app/Main.h"
#include "app/NowOnAirRows.h"
#include "app/WeekDates.h"
#include "dialogs/Tvtanaan.h"
#include "platform/core/DateTime.h"
#include "platform/core/ScopeExit.h"
#include "platform/forms/Dialogs.h"
#include "platform/messages/Application.h"
#include "shell/TrayIcon.h"

void TMainForm::TVTanaanHotkeyHotKey(TObject*)
{
    if (FFillingTvToday || (TVTanaanForm && TVTanaanForm->Visible()))
        return;
    if (OutOfSight()) {
        ShowTvToday();
        return;
    }
    // Already showing what is on now.
    if (V_Muut->ItemIndex() == 1 && V_Kanavat->ItemIndex() == -1)
        return;
    V_Muut->SetItemIndex(1);
    V_MuutClick(this);
}

void TMainForm::ShowTvToday()
{
    if (!TVTanaanForm)
        return;
    TTVTanaanForm& window = *TVTanaanForm;
    window.ClearLists();
    // The queue runs between channels: a second press meanwhile must not empty the lists under
    // this fill, and a listing that can't be read must not leave the key dead.
    FFillingTvToday = true;
    bool filled = false;
    {
        ScopeExit fillEnded([this] { FFillingTvToday = false; });
        filled = FillNowOnAirLists(*V_Kanavat->Items(), CurrentTvDateText(Now()), *window.Ohjelmat->Items(),
                                   *window.Keski_Ohjelmainfot->Items(), [] { return !Application->Terminated(); });
    }
    if (!filled)
        return;
    // Closing the window asks the icon whether to give the taskbar button back.
    window.Tray = Tray;
    window.RestorePlacement();
    window.ShowOnTop();
}

void TMainForm::TVTanaanHotkeyKeyTaken(TObject*)
{
    // Start-up and every later try would fail alike: once is enough.
    if (FHotKeyTakenTold)
        return;
    FHotKeyTakenTold = true;
    MessageDlg("TV tänään -pikanäppäin on jo toisen ohjelman käytössä, eikä se toimi tässä ohjelmassa."_a,
               mtInformation, {mbOK});
}
