// The programme list's alarm commands: add the selected programmes with the default settings,
// add the focused one through the alarm dialog, put its title among the automatic alarms' words;
// and the rules that enable them.
#include "alarms/AddAlarm.h"
#include "alarms/AlarmEntry.h"
#include "app/AlarmRoutines.h"
#include "app/Main.h"
#include "listings/ProgrammeMarks.h"
#include "listings/Settings.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include <memory>

namespace {

AnsiString LineAt(const TListBox* list, int index)
{
    return index >= 0 && index < list->Count() ? list->Items()->Get(index) : AnsiString();
}

// The programme a line of the programme list shows, whatever filled the list: search results
// carry their own date and channel, the views' rows are of the shown TV day. False when the line
// holds no readable time; a view's title is read all the same.
bool ProgrammeOfListLine(const TMainForm& form, const AnsiString& line, ListedProgramme& programme)
{
    if (form.SearchMode)
        return ProgrammeOfSearchLine(line, programme);
    const AnsiString shownChannel =
        form.MM_Normaali->Checked() ? LineAt(form.V_Kanavat, form.V_Kanavat->ItemIndex()) : AnsiString();
    return ProgrammeOfViewLine(line, StrToDate(form.CurrentDate), shownChannel, programme);
}

// While the alarm dialog adds a row, the list orders itself by caption text.
class CompareDetached {
public:
    explicit CompareDetached(TListView* list) : FList(list), FCompare(std::move(list->OnCompare))
    {
        FList->OnCompare = nullptr;
    }
    ~CompareDetached() { FList->OnCompare = std::move(FCompare); }
    CompareDetached(const CompareDetached&) = delete;
    CompareDetached& operator=(const CompareDetached&) = delete;

private:
    TListView* FList;
    TLVCompareEvent FCompare;
};

} // namespace

void TMainForm::Ohjelmat_PopupMenuPopup(TObject*)
{
    if (V_Muut->ItemIndex() > 0) {
        Ohjelmat_Lishlytyksiin1->SetEnabled(false);
        Lishlytyksiinvalitutasetukset1->SetEnabled(false);
        Ohjelmat_LisaaAutomaattisiin->SetEnabled(false);
        return;
    }
    const bool oneAtMost = Ohjelmat->SelCount() <= 1;
    Ohjelmat_Lishlytyksiin1->SetEnabled(true);
    Lishlytyksiinvalitutasetukset1->SetEnabled(oneAtMost && !SearchMode);
    Ohjelmat_LisaaAutomaattisiin->SetEnabled(oneAtMost);
}

void TMainForm::Ohjelmat_Lishlytyksiin1Click(TObject*)
{
    bool added = false;
    for (int i = 0; i < Ohjelmat->Count(); ++i) {
        if (!Ohjelmat->Selected(i))
            continue;
        const AnsiString line = LineAt(Ohjelmat, i);
        ListedProgramme programme;
        // A line without a readable time is no programme.
        if (!ProgrammeOfListLine(*this, line, programme))
            continue;
        if (AnyHoldsProgramme(AlarmRows(), FormatDateTime("d.m.yyyy", programme.Start), programme.Channel,
                              programme.Time, programme.Title)) {
            // What this command added before the duplicate is kept all the same.
            if (added)
                SaveAlarmList();
            ShowAlreadyInAlarms(RowText(line, ProgrammeLayout));
            return;
        }
        AddAlarmEntry(AlarmCaption(programme.Start), programme.Channel, programme.Time, programme.Title,
                      LineAt(Keski_Ohjelmainfot, i));
        added = true;
    }
    SaveAlarmList();
    if (!SearchMode) {
        MarkAlarmedProgrammes();
        Ohjelmat->Invalidate();
    }
    if (!MM_Normaali->Checked()) {
        MarkAlarmedProgrammesTimeline(*Ohjelmat->Items(), AlarmKeys(), CurrentDate);
        Ohjelmat->Invalidate();
    }
}

void TMainForm::Lishlytyksiinvalitutasetukset1Click(TObject*)
{
    // Search results carry no time the dialog could take; the pop-up keeps this item off there,
    // and its shortcut must do no more.
    const int index = Ohjelmat->ItemIndex();
    if (SearchMode || index < 0 || index >= Ohjelmat->Count())
        return;
    const AnsiString line = LineAt(Ohjelmat, index);
    const AnsiString channel = MM_Normaali->Checked() ? LineAt(V_Kanavat, V_Kanavat->ItemIndex()) : AnsiString();
    ListedProgramme programme;
    ProgrammeOfViewLine(line, StrToDate(CurrentDate), channel, programme);

    CompareDetached detached(Alarmlist);
    auto dialog = std::make_unique<TAddAlarmForm>(nullptr);
    dialog->FillForAdding(programme.Channel, CurrentDate, programme.Time, programme.Title,
                          LineAt(Keski_Ohjelmainfot, index));
    bool added = false;
    dialog->OnAppendRow = [this, &added](const AlarmRow& row) {
        AddAlarmRow(row);
        added = true;
    };
    dialog->OnAlarmAdded = [this](TObject*) { V_KanavatClick(nullptr); };
    dialog->ShowModal();
    if (added)
        SaveAlarmList();
}

void TMainForm::Ohjelmat_LisaaAutomaattisiinClick(TObject*)
{
    ListedProgramme programme;
    ProgrammeOfListLine(*this, LineAt(Ohjelmat, Ohjelmat->ItemIndex()), programme);
    AnsiString title = programme.Title;
    if (!InputQuery("Lisää automaattisesti lisättäviin hälytyksiin"_a, "Otsikkolla:", title))
        return;
    const AnsiString section = "Hälytys"_a;
    const AnsiString key = "AutomaattisestiLisättävät"_a;
    IniWriteValue(section, key, IniReadString(section, key, "") + title + ";", 'S');
}
