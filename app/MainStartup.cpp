// The main window's start-up (settings into the window, the TV day, the data folder, the alarm
// file, the channel list, the day bar and the day menu, the old-file clean-up), its first show,
// its resizing and its closing.
#include "app/Main.h"
#include "alarms/AlarmFile.h"
#include "app/OldListingFiles.h"
#include "app/WeekDates.h"
#include "listings/Funktiot.h"
#include "net/HttpClient.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include "platform/core/WriteLeftovers.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Screen.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Application.h"
#include "shell/GlobalHotKey.h"

namespace {

constexpr int kAlarmColumns = 5;
const char* const kAlarmColumnKeys[kAlarmColumns] = {"Alarms.C1", "Alarms.C2", "Alarms.C3", "Alarms.C4",
                                                      "Alarms.C5"};
const int kAlarmColumnDefaults[kAlarmColumns] = {95, 90, 45, 355, 90};

// A step of the start-up or the shutdown that fails shows its error and lets the rest run: the
// later start-up steps build the week dates and the channel list that every view needs, and
// the settings are still saved when the alarm file can't be.
void RunAndReport(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
}

void SetFinnishFormats()
{
    TFormatSettings& formats = FormatSettings();
    formats.DateSeparator = '.';
    formats.TimeSeparator = ':';
    formats.ShortTimeFormat = "hh:nn";
    formats.LongTimeFormat = "hh:nn:ss";
    formats.ShortDateFormat = "d.m.yyyy";
    formats.LongDateFormat = "dddd, mmmm d ,yyyy";
}

AnsiString DefaultView()
{
    return IniReadString("Muut", "OletusNäkymä"_a, "");
}

} // namespace

// Every step runs whatever an earlier one did: a settings file that can't be written, or an alarm
// file that can't be read, is reported where it fails, and the later steps still build the week
// dates and the channel list that every view needs.
void TMainForm::FormCreate(TObject*)
{
    // Only one copy runs on the folder, so a temporary found now is a killed write's.
    RemoveWriteLeftovers(SettingsFilePath());
    RemoveWriteLeftovers(AlarmFilePath());
    // Before anything writes the settings file (the day bar's switch below does).
    const bool firstRun = !FileExists(SettingsFilePath());
    FirstShow = true;
    FAlarmsLoaded = false;
    Application->OnMinimize = [this](TObject* sender) { AppMinimize(sender); };
    DayLines.Clear();
    WeekDates.Clear();
    SetFinnishFormats();
    const TDateTime now = Now();
    CurrentDayName = DayName(false, now);
    CurrentDayIndex = DayIndex(false, now);
    Http->Agent += WindowsVersionName() + ")";
    Http->Proxy = IniReadString("Muut", "ProxyIP", "");
    Http->ProxyPort = IntToStr(IniReadInteger("Muut", "ProxyPortti", 80));
    if (IniReadString("Muut", "PPalkki", "1") == "1")
        RunAndReport([this] { MM_PaivaPalkkiOnClick(this); });
    MinutesBefore = IniReadInteger("Hälytys"_a, "MinuutitEnnenOhjelmaa", 5);
    ReadWindowSettings();
    BuildViewsMenu();
    for (int i = 0; i < kAlarmColumns; ++i)
        Alarmlist->Columns()->Items(i)->SetWidth(
            IniReadInteger("Ulkoasu", kAlarmColumnKeys[i], kAlarmColumnDefaults[i]));
    GuardOversize();
    CurrentDate = CurrentTvDateText(now);

    if (firstRun) {
        MessageDlg("Tiedosto (QEX.INI) on tuhoutunut tai ohjelma on päivitetty.\n\rAsetukset pitää asettaa uudestaan."_a,
                   mtInformation, {mbOK});
        RunAndReport([this] { MM_AsetuksetClick(this); });
    }
    if (!DirectoryExists(DataFolder()))
        ForceDirectories(DataFolder());
    RunAndReport([this] { LoadAlarmFile(); });
    LoadChannelList();
    ViikonPaivatTabs->SetTabIndex(DayIndex(true, now) - 1);
    FillWeekDates(now, WeekDates);
    FCalendarTvDay = CurrentTvDateText(now);
    FillWeekTabsAndDayMenu();
    if (IniReadString("Muut", "PoistaVanhatTiedostot", "1") == "1")
        RunAndReport([now] { DeleteOldListingFiles(now); });
}

void TMainForm::ReadWindowSettings()
{
    const int top = IniReadInteger("Ulkoasu", "Form.Y", 1);
    const int left = IniReadInteger("Ulkoasu", "Form.X", 1);
    const int width = IniReadInteger("Ulkoasu", "Form.Leveys", 700);
    const int height = IniReadInteger("Ulkoasu", "Form.Korkeus", 644);
    SetBounds(left, top, width, height);
    TVTanaanHotkey->SetKey(static_cast<TShortCut>(IniReadInteger("Muut", "TVTänäänPikanäppäin"_a, 123)));
    TiedotText->SetHeight(IniReadInteger("Ulkoasu", "Form.Jakaja", 100));
}

void TMainForm::GuardOversize()
{
    const int width = IniReadInteger("Ulkoasu", "Form.Leveys", 700);
    const int height = IniReadInteger("Ulkoasu", "Form.Korkeus", 564);
    if (width > Screen->Width() - 5 && height > Screen->Height() - 40) {
        SetBounds(50, 50, Screen->Width() - 100, Screen->Height() - 100);
        SetWindowState(wsMaximized);
    }
}

void TMainForm::LoadAlarmFile()
{
    const AlarmFileContents contents = ReadAlarmFile(Now());
    // Sorted once after the last row rather than after each.
    Alarmlist->Items()->BeginUpdate();
    for (const AlarmRow& row : contents.rows)
        AddAlarmRow(row);
    Alarmlist->Items()->EndUpdate();
    FAlarmsLoaded = true;
    // Pruned before the notice, so the file is already pruned while the user reads it. A file that
    // couldn't be written still holds what the notice would call removed: only its error shows.
    bool pruned = false;
    RunAndReport([&contents, &pruned] {
        PruneAlarmFile(contents);
        pruned = true;
    });
    const AnsiString notice = DroppedAlarmsNotice(contents);
    if (pruned && !notice.empty())
        MessageDlg(notice, mtInformation, {mbOK});
}

void TMainForm::FillWeekTabsAndDayMenu()
{
    // Each tab carries the number its week's files carry, whatever the day and across New Year.
    ViikotTabs->Tabs()->Put(0, WeekTabCaption(ListingWeek(StrToDate(WeekDates[1])), WeekDates[1], WeekDates[7]));
    ViikotTabs->Tabs()->Put(1, WeekTabCaption(ListingWeek(StrToDate(WeekDates[8])), WeekDates[8], WeekDates[14]));
    for (int i = 1; i <= 14; ++i) {
        MM_D[i]->SetCaption(DayName(false, StrToDate(WeekDates[i])) + "\t" + WeekDates[i]);
        if (WeekDates[i] == CurrentDate)
            MM_D[i]->SetChecked(true);
    }
}

void TMainForm::FormShow(TObject*)
{
    // Every later show fills the channel list anew; the first one has just filled it opening
    // the channel view, and filling it twice would cost the first frame.
    bool channelViewFilled = false;
    if (FirstShow) {
        FirstShow = false;
        const AnsiString view = DefaultView();
        // No default stored (a first start) names no view, not the item with an empty caption
        // that the views menu holds for an absent entry: that one would take the channel view's
        // menu and check mark while opening nothing.
        if (view == "Normaali") {
            MM_NormaaliClick(this);
            channelViewFilled = true;
        } else if (!view.empty()) {
            for (int i = 0; i < MM_Nakyma->Count(); ++i) {
                TMenuItem* item = MM_Nakyma->Items(i);
                if (item->Caption() == view && !item->IsLine())
                    item->Click();
            }
        }
    }
    FormResize(this);
    if (!channelViewFilled && DefaultView() == "Normaali")
        V_KanavatClick(this);
}

void TMainForm::FormResize(TObject*)
{
    if (!StatusPanel || !ViikonPaivatTabs)
        return;
    StatusPanel->Panels()->Items(0)->SetWidth(std::max(0, StatusPanel->Width() - 180));
    const int dayTab = static_cast<int>(Round((ViikonPaivatTabs->Width() - 68) / 7.0));
    ViikonPaivatTabs->SetTabWidth(std::max(1, dayTab));
    ViikotTabs->SetTabWidth(std::max(1, 2 * dayTab + 10));
}

void TMainForm::FormClose(TObject*, TCloseAction&)
{
    // A list that was never read from the file would write the file empty.
    if (FAlarmsLoaded)
        RunAndReport([this] { WriteAlarmFile(AlarmRows()); });
    RunAndReport([this] { SaveWindowSettings(); });
    DayLines.Clear();
    WeekDates.Clear();
    Application->SetExitCode(1);
    Application->Terminate();
}

void TMainForm::SaveWindowSettings()
{
    TIniFile ini(SettingsFilePath());
    ini.WriteString("Ulkoasu", "Form.X", IntToStr(Left()));
    ini.WriteString("Ulkoasu", "Form.Y", IntToStr(Top()));
    ini.WriteString("Ulkoasu", "Form.Leveys", IntToStr(Width()));
    ini.WriteString("Ulkoasu", "Form.Korkeus", IntToStr(Height()));
    ini.WriteString("Ulkoasu", "Form.Jakaja", IntToStr(TiedotText->Height()));
    for (int i = 0; i < kAlarmColumns; ++i)
        ini.WriteString("Ulkoasu", kAlarmColumnKeys[i], IntToStr(Alarmlist->Columns()->Items(i)->Width()));
}
