// Adding a row with the default settings and firing an alarm.
#include "app/AlarmRoutines.h"
#include "alarms/Alarm.h"
#include "alarms/Alarm2.h"
#include "alarms/AlarmEntry.h"
#include "alarms/AlarmFiring.h"
#include "app/Main.h"
#include "listings/ChannelTable.h"
#include "platform/core/Files.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ImageList.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "platform/services/MediaPlayer.h"
#include "platform/services/ShellExecute.h"
#include "shell/TrayIcon.h"

namespace {

void StartBeeps(const FiringPlan& plan)
{
    if (!plan.Beeps)
        return;
    MainForm->BeepsLeft = *plan.Beeps;
    MainForm->BeepTimer->SetEnabled(true);
}

void ShowNormalNotice(const AnsiString& channel, const AnsiString& time, const AnsiString& title,
                      const AnsiString& description)
{
    TBitmap icon;
    MainForm->S_Logot->GetBitmap(ChannelImageIndex(channel), &icon);
    auto* notice = new TAlarmForm(nullptr);
    notice->Fill(icon, channel, time, title, description);
    notice->ShowNotice();
}

void ShowFullScreenNotice(const AnsiString& channel, const AnsiString& time, const AnsiString& title,
                          const AnsiString& description)
{
    auto* notice = new TAlarm2Form(nullptr);
    notice->Fill(channel, time, title, description);
    notice->ShowNotice();
}

// A file that is missing and one the player can't open fail alike.
bool PlaySound(const AnsiString& soundFile)
{
    TMediaPlayer* player = MainForm->Aanisoitto;
    if (player->Mode() == TMPModes::mpPlaying)
        player->Stop();
    player->SetFileName(soundFile);
    if (!FileExists(soundFile))
        return false;
    try {
        player->Open();
        player->Play();
    } catch (const EMCIDeviceError&) {
        return false;
    }
    return true;
}

bool StartProgram(const AnsiString& program)
{
    return ShellExecute(0, "Open", "\"" + program + "\"", "", "", SW_SHOWNORMAL) > 32;
}

// Sets AlarmEditing and returns what gives back the value it found.
std::function<void()> HoldAlarmEditing()
{
    const bool was = MainForm->AlarmEditing;
    MainForm->AlarmEditing = true;
    return [was] {
        if (MainForm)
            MainForm->AlarmEditing = was;
    };
}

} // namespace

AlarmEditingHold::AlarmEditingHold() : ScopeExit(HoldAlarmEditing()) {}

// Built by appending: GCC 12 takes the same text joined with operator+ for a write past the
// first part's buffer.
void ShowAlreadyInAlarms(const AnsiString& programme)
{
    AnsiString text = "Valittu ohjelma on jo hälytyksissä "_a;
    text.append("\r\n\r\n(").append(programme).append(")");
    MessageDlg(text, mtInformation, {mbOK});
}

void AddAlarmEntry(const AnsiString& dateLabel, const AnsiString& channel, const AnsiString& time,
                   const AnsiString& title, const AnsiString& description)
{
    AlarmEditingHold hold;
    AlarmRow row;
    row.Caption = dateLabel;
    row.SubItems = {channel, time, title, "", AlarmDescription(description, title), DefaultAlarmActionString()};
    MainForm->AddAlarmRow(row);
}

void FireAlarm(const AnsiString&, const AnsiString& channel, const AnsiString& time, const AnsiString& title,
               const AnsiString& description, const AnsiString& actions)
{
    const FiringPlan plan = ReadFiringPlan(actions);
    if (plan.NormalNotice) {
        ShowNormalNotice(channel, time, title, description);
        StartBeeps(plan);
    }
    if (plan.FullScreenNotice) {
        ShowFullScreenNotice(channel, time, title, description);
        StartBeeps(plan);
    }
    if (plan.ExtrasOnly)
        StartBeeps(plan);
    if (plan.SoundFile && !PlaySound(*plan.SoundFile)) {
        MessageDlg(MissingSoundWarning(*plan.SoundFile), mtWarning, {mbOK});
        return;
    }
    if (plan.Program && !StartProgram(*plan.Program)) {
        MessageDlg(ProgramFailedWarning(*plan.Program), mtWarning, {mbOK});
        return;
    }
    // A notice's own taskbar button may have brought the program's back.
    if (MainForm->Tray && MainForm->Tray->Active())
        Application->ShowTaskbarWindow(false);
}
