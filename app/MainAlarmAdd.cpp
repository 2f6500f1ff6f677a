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
#include <utility>
#include <vector>

// The rows the list's commands act on, with the day and channel they belong to.
struct ProgrammeChoice {
    struct Row {
        AnsiString Line;
        AnsiString Description;
    };
    AnsiString Date;    // the shown TV day "d.m.yyyy"
    AnsiString Channel; // the channel view's channel; empty where the rows name their own
    bool Search = false;
    RowLayout Layout = RowLayout::Channel;
    std::vector<Row> Selected;
    bool HasFocused = false;
    Row Focused;
};

namespace {

AnsiString LineAt(const TListBox* list, int index)
{
    return index >= 0 && index < list->Count() ? list->Items()->Get(index) : AnsiString();
}

ProgrammeChoice ChoiceOfList(const TMainForm& form)
{
    ProgrammeChoice choice;
    choice.Date = form.CurrentDate;
    choice.Channel = form.MM_Normaali->Checked() ? LineAt(form.V_Kanavat, form.V_Kanavat->ItemIndex()) : AnsiString();
    choice.Search = form.SearchMode;
    choice.Layout = form.ProgrammeLayout;
    for (int i = 0; i < form.Ohjelmat->Count(); ++i)
        if (form.Ohjelmat->Selected(i))
            choice.Selected.push_back({LineAt(form.Ohjelmat, i), LineAt(form.Keski_Ohjelmainfot, i)});
    const int focused = form.Ohjelmat->ItemIndex();
    choice.HasFocused = focused >= 0 && focused < form.Ohjelmat->Count();
    choice.Focused = {LineAt(form.Ohjelmat, focused), LineAt(form.Keski_Ohjelmainfot, focused)};
    return choice;
}

// The programme a line of the programme list shows, whatever filled the list: search results
// carry their own date and channel, the views' rows are of the shown TV day. False when the line
// holds no readable time; a view's title is read all the same.
bool ProgrammeOfListLine(const ProgrammeChoice& choice, const AnsiString& line, ListedProgramme& programme)
{
    if (choice.Search)
        return ProgrammeOfSearchLine(line, programme);
    return ProgrammeOfViewLine(line, StrToDate(choice.Date), choice.Channel, programme);
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

ProgrammeChoice TMainForm::ChoiceFor(TObject* Sender)
{
    const bool fromMenu = Sender && (Sender == Ohjelmat_Lishlytyksiin1 || Sender == Lishlytyksiinvalitutasetukset1 ||
                                     Sender == Ohjelmat_LisaaAutomaattisiin);
    // The menu's view serves the one item that runs from it: a search's rows would otherwise stay
    // copied for the window's lifetime, and a later run of an item would act on a list long gone.
    const std::shared_ptr<const ProgrammeChoice> menuChoice = fromMenu ? std::exchange(FMenuChoice, nullptr) : nullptr;
    return menuChoice ? *menuChoice : ChoiceOfList(*this);
}

void TMainForm::Ohjelmat_PopupMenuPopup(TObject*)
{
    // Also run before a shortcut of the menu's: a key acts on the list as it stands.
    FMenuChoice = std::make_shared<const ProgrammeChoice>(ChoiceOfList(*this));
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

void TMainForm::Ohjelmat_Lishlytyksiin1Click(TObject* Sender)
{
    const ProgrammeChoice choice = ChoiceFor(Sender);
    bool added = false;
    for (const ProgrammeChoice::Row& row : choice.Selected) {
        ListedProgramme programme;
        // A line without a readable time is no programme.
        if (!ProgrammeOfListLine(choice, row.Line, programme))
            continue;
        if (AnyHoldsProgramme(AlarmRows(), FormatDateTime("d.m.yyyy", programme.Start), programme.Channel,
                              programme.Time, programme.Title)) {
            // What this command added before the duplicate is kept all the same.
            if (added)
                SaveAlarmList();
            ShowAlreadyInAlarms(RowText(row.Line, choice.Layout));
            return;
        }
        AddAlarmEntry(AlarmCaption(programme.Start), programme.Channel, programme.Time, programme.Title,
                      row.Description);
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

void TMainForm::Lishlytyksiinvalitutasetukset1Click(TObject* Sender)
{
    // Search results carry no time the dialog could take; the pop-up keeps this item off there,
    // and its shortcut must do no more.
    const ProgrammeChoice choice = ChoiceFor(Sender);
    if (choice.Search || !choice.HasFocused)
        return;
    ListedProgramme programme;
    ProgrammeOfListLine(choice, choice.Focused.Line, programme);

    CompareDetached detached(Alarmlist);
    auto dialog = std::make_unique<TAddAlarmForm>(nullptr);
    dialog->FillForAdding(programme.Channel, choice.Date, programme.Time, programme.Title,
                          choice.Focused.Description);
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

void TMainForm::Ohjelmat_LisaaAutomaattisiinClick(TObject* Sender)
{
    const ProgrammeChoice choice = ChoiceFor(Sender);
    ListedProgramme programme;
    ProgrammeOfListLine(choice, choice.Focused.Line, programme);
    AnsiString title = programme.Title;
    if (!InputQuery("Lisää automaattisesti lisättäviin hälytyksiin"_a, "Otsikkolla:", title))
        return;
    const AnsiString section = "Hälytys"_a;
    const AnsiString key = "AutomaattisestiLisättävät"_a;
    IniWriteValue(section, key, IniReadString(section, key, "") + title + ";", 'S');
}
