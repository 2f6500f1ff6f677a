// The alarm list's commands: its pop-up menu (delete, test, edit, clear), the information pane a
// click fills, sorting by column and the countdown column; and the wiring of the alarm units'
// menu items and events.
#include "alarms/AddAlarm.h"
#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmSounds.h"
#include "app/AlarmListRows.h"
#include "app/AlarmRoutines.h"
#include "app/Main.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/RichEdit.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include <memory>

namespace {

AnsiString SubItem(const TListItem* item, int index)
{
    return index >= 0 && index < item->SubItems()->Count() ? item->SubItems()->Get(index) : AnsiString();
}

// Rows whose date or time can't be read sort after every readable one.
int CompareStarts(const TListItem* a, const TListItem* b)
{
    TDateTime startA = 0, startB = 0;
    const bool readA = AlarmRowOf(a).StartMoment(startA);
    const bool readB = AlarmRowOf(b).StartMoment(startB);
    if (!readA || !readB)
        return readA == readB ? 0 : (readA ? -1 : 1);
    const std::int64_t secondA = DateTimeToUnix(startA), secondB = DateTimeToUnix(startB);
    return secondA == secondB ? 0 : (secondA < secondB ? -1 : 1);
}

// The countdown only subtracts its two moments, so absolute moments counted in days serve, and
// they count the real time left over a daylight-saving change.
TDateTime DaysOfUnixMs(std::int64_t milliseconds)
{
    return static_cast<double>(milliseconds) / 86400000.0;
}

} // namespace

void TMainForm::CreateAlarmCommands()
{
    auto on = [this](void (TMainForm::*handler)(TObject*)) {
        return TNotifyEvent([this, handler](TObject* sender) { (this->*handler)(sender); });
    };
    struct Command {
        TMenuItem** item;
        TPopupMenu* menu;
        const char* name;
        AnsiString caption;
        TShortCut shortCut;
        void (TMainForm::*handler)(TObject*);
    };
    const Command commands[] = {
        {&PMenu_Poistahalytys, PopupMenu_Alarms, "PMenu_Poistahalytys", "Poista hälytys"_a, VK_DELETE,
         &TMainForm::PMenu_PoistahalytysClick},
        {&PMenu_Testaahalytyst, PopupMenu_Alarms, "PMenu_Testaahalytyst", "&Testaa hälytystä"_a,
         ShortCut('T', {ssCtrl}), &TMainForm::PMenu_TestaahalytystClick},
        {&PMenu_Muokkaahalytyst, PopupMenu_Alarms, "PMenu_Muokkaahalytyst", "Muokkaa hälytystä..."_a, 0,
         &TMainForm::PMenu_MuokkaahalytystClick},
        {&PMenu_Tyhjennahalytyslista, PopupMenu_Alarms, "PMenu_Tyhjennahalytyslista", "Tyhjennä hälytyslista"_a, 0,
         &TMainForm::PMenu_TyhjennahalytyslistaClick},
        {&Ohjelmat_Lishlytyksiin1, Ohjelmat_PopupMenu, "Ohjelmat_Lishlytyksiin1",
         "&Lisää hälytyksiin (oletusasetuksilla)"_a, VK_INSERT, &TMainForm::Ohjelmat_Lishlytyksiin1Click},
        {&Lishlytyksiinvalitutasetukset1, Ohjelmat_PopupMenu, "Lishlytyksiinvalitutasetukset1",
         "Lisää hälytyksiin (valituilla asetuksilla)"_a, ShortCut(VK_INSERT, {ssShift}),
         &TMainForm::Lishlytyksiinvalitutasetukset1Click},
        {&Ohjelmat_LisaaAutomaattisiin, Ohjelmat_PopupMenu, "Ohjelmat_LisaaAutomaattisiin",
         "Lisää automaattisesti lisättäviin hälytyksiin"_a, ShortCut(VK_INSERT, {ssCtrl}),
         &TMainForm::Ohjelmat_LisaaAutomaattisiinClick},
    };
    for (const Command& command : commands) {
        auto* item = new TMenuItem(this);
        item->SetName(command.name);
        item->SetCaption(command.caption);
        item->SetShortCut(command.shortCut);
        item->OnClick = on(command.handler);
        command.menu->Items()->Add(item);
        *command.item = item;
    }
    PopupMenu_Alarms->OnPopup = on(&TMainForm::PopupMenu_AlarmsPopup);
    Ohjelmat_PopupMenu->OnPopup = on(&TMainForm::Ohjelmat_PopupMenuPopup);
    fg1->OnClick = on(&TMainForm::fg1Click);

    Alarmlist->OnClick = on(&TMainForm::AlarmlistClick);
    Alarmlist->OnColumnClick = [this](TObject* sender, TListColumn* column) { AlarmlistColumnClick(sender, column); };
    Alarmlist->OnCompare = [this](TObject* sender, TListItem* a, TListItem* b, int data, int& compare) {
        AlarmlistCompare(sender, a, b, data, compare);
    };
    Alarmlist->SetSortType(stBoth);

    AlarmsTimer->OnTimer = on(&TMainForm::AlarmsTimerTimer);
    BeepTimer->OnTimer = on(&TMainForm::BeepTimerTimer);
    AlarmSounds.Player = Aanisoitto;
    AlarmSounds.BeepTimer = BeepTimer;
}

void TMainForm::PopupMenu_AlarmsPopup(TObject*)
{
    const int selected = Alarmlist->SelCount();
    PMenu_Poistahalytys->SetEnabled(selected > 0);
    PMenu_Testaahalytyst->SetEnabled(selected == 1);
    PMenu_Muokkaahalytyst->SetEnabled(selected == 1);
    PMenu_Tyhjennahalytyslista->SetEnabled(true);
}

// A file start-up couldn't read keeps alarms the list lacks: replacing or deleting it from the
// list would destroy them, so it is left as it is and the list's changes last for the session.
bool TMainForm::AlarmFileMayChange()
{
    if (FAlarmsLoaded)
        return true;
    MessageDlg("Tiedostoa QEX.ALS ei voitu lukea ohjelman käynnistyessä, joten sitä ei muuteta. "
               "Hälytyslistan muutokset ovat voimassa vain tämän käynnistyskerran ajan."_a,
               mtWarning, {mbOK});
    return false;
}

void TMainForm::SaveAlarmList()
{
    if (AlarmFileMayChange())
        WriteAlarmFile(AlarmRows());
}

void TMainForm::SaveAlarmRemovals()
{
    if (FAlarmsLoaded)
        Dispatch([this] { WriteAlarmFile(AlarmRows()); });
}

void TMainForm::PMenu_PoistahalytysClick(TObject*)
{
    std::vector<AnsiString> records;
    TListItems* items = Alarmlist->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Item(i)->Selected())
            records.push_back(AlarmRowOf(items->Item(i)).RecordText());
    // Each selected record takes the first equal row from the top, so of two identical rows with
    // one selected the upper one goes.
    for (const AnsiString& record : records) {
        for (int i = 0; i < items->Count(); ++i) {
            if (AlarmRowOf(items->Item(i)).RecordText() == record) {
                items->Delete(i);
                break;
            }
        }
    }
    SaveAlarmList();
    TiedotText->Lines()->Clear();
}

void TMainForm::PMenu_TestaahalytystClick(TObject*)
{
    const TListItem* item = Alarmlist->Selected();
    if (!item)
        return;
    const AlarmRow row = AlarmRowOf(item);
    FireAlarm(row.Caption, row.SubItems[afChannel], row.SubItems[afTime], row.SubItems[afTitle],
              row.SubItems[afDescription], row.SubItems[afActions]);
}

void TMainForm::PMenu_MuokkaahalytystClick(TObject*)
{
    TListItem* item = Alarmlist->Selected();
    if (!item)
        return;
    bool changed = false;
    {
        AlarmEditingHold hold;
        auto dialog = std::make_unique<TAddAlarmForm>(nullptr);
        dialog->FillFromRow(AlarmRowOf(item));
        dialog->OnDeleteEditedRow = [this, &item, &changed] {
            const int index = Alarmlist->Items()->IndexOf(item);
            if (index >= 0)
                Alarmlist->Items()->Delete(index);
            item = nullptr;
            changed = true;
        };
        dialog->OnAppendRow = [this, &item, &changed](const AlarmRow& row) {
            item = AddAlarmRow(row);
            changed = true;
        };
        dialog->ShowModal();
    }
    AlarmlistColumnClick(this, Alarmlist->Columns()->Items(0));
    if (changed)
        SaveAlarmList();
    ShowEditedAlarm(item);
    // What fell due while the dialog held the clock fires now, the edited row by its new time.
    if (!AlarmEditing)
        LookAtAlarms();
}

void TMainForm::PMenu_TyhjennahalytyslistaClick(TObject*)
{
    if (MessageDlg("Haluatko varmasti poistaa kaikki hälytykset?"_a, mtConfirmation, {mbYes, mbNo}) == mrYes) {
        Alarmlist->Items()->Clear();
        if (AlarmFileMayChange() && FileExists(AlarmFilePath()))
            DeleteFile(AlarmFilePath());
    }
    TiedotText->Lines()->Clear();
}

// The edited alarm stays selected in its new row, and the pane shows it as it is now.
void TMainForm::ShowEditedAlarm(TListItem* item)
{
    if (item) {
        Alarmlist->ClearSelection();
        item->SetSelected(true);
        item->SetFocused(true);
    }
    AlarmlistClick(this);
}

void TMainForm::AlarmlistClick(TObject*)
{
    TiedotText->Lines()->Clear();
    const TListItem* item = Alarmlist->Selected();
    if (!item)
        return;
    const AlarmRow row = AlarmRowOf(item);
    RichEditAddLine(TiedotText,
                    row.Caption + " - " + row.SubItems[afChannel] + ", " + row.SubItems[afTime] + " " +
                        row.SubItems[afTitle],
                    clBlack, {fsBold});
    RichEditAddLine(TiedotText, row.SubItems[afDescription], clBlack, {});
}

void TMainForm::AlarmlistColumnClick(TObject*, TListColumn* Column)
{
    TListItems* items = Alarmlist->Items();
    if (items->Count() < 2)
        return;
    AlarmSortColumn = Column->Index() == 0 ? 2 : Column->Index();
    Alarmlist->AlphaSort();
    const TDateTime now = DaysOfUnixMs(ClockNowUnixMs());
    for (int i = 0; i < items->Count(); ++i) {
        TListItem* item = items->Item(i);
        const std::optional<AlarmMoments> moments = AlarmMomentsOf(AlarmRowOf(item), 0);
        const AnsiString countdown =
            moments ? AlarmCountdownText(DaysOfUnixMs(moments->start * 1000), now) : AnsiString();
        if (item->SubItems()->Count() > afCountdown)
            item->SubItems()->Put(afCountdown, countdown);
    }
}

void TMainForm::AlarmlistCompare(TObject*, TListItem* Item1, TListItem* Item2, int, int& Compare)
{
    if (AlarmEditing || AlarmSortColumn < 0) {
        Compare = 0;
        return;
    }
    if (AlarmSortColumn == 2) {
        Compare = CompareStarts(Item1, Item2);
        return;
    }
    Compare = AnsiCompareText(SubItem(Item1, AlarmSortColumn - 1), SubItem(Item2, AlarmSortColumn - 1));
}

void TMainForm::fg1Click(TObject*)
{
    AutoAddAlarms();
}
