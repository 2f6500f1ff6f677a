// The editors of the settings dialog: keyword colourings, own views, the channel order and the
// keywords of automatic alarms.
#include "dialogs/Asetukset.h"
#include "dialogs/ProgrammeLineDrawing.h"
#include "dialogs/SettingsEditing.h"
#include "kit/ComboEdits.h"
#include "kit/DualList.h"
#include "kit/CheckListBox.h"
#include "kit/KitCombos.h"
#include "listings/SettingEntries.h"
#include "listings/TextRoutines.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Button.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Edit.h"
#include <algorithm>

namespace {

constexpr std::size_t kShortestKeyword = 4;

bool EndsWithSemicolon(const AnsiString& text)
{
    return !text.empty() && text.back() == ';';
}

} // namespace

void TAsetuksetForm::MoveSelected(TListBox* list, int step)
{
    const int index = list->ItemIndex();
    const int other = index + step;
    if (index < 0 || other < 0 || other >= list->Count())
        return;
    list->Items()->Exchange(index, other);
    // The selection stays where it was; the entry has moved away from it.
    list->SetItemIndex(index);
}

void TAsetuksetForm::SetColouringButtons(bool enabled)
{
    VariButton1->SetEnabled(enabled);
    VariButton2->SetEnabled(enabled);
    VariButton3->SetEnabled(enabled);
}

void TAsetuksetForm::SetViewButtons(bool enabled)
{
    NakButton1->SetEnabled(enabled);
    NakButton2->SetEnabled(enabled);
    NakButton3->SetEnabled(enabled);
}

AnsiString TAsetuksetForm::ColouringFromFields() const
{
    return MakeColouringEntry(ColorToString(VColorComboBox->ColorValue()), VEdit->Text());
}

void TAsetuksetForm::VEditChange(TObject*)
{
    VEdit->SetHint(VEdit->Text());
    const bool complete = EndsWithSemicolon(VEdit->Text());
    VariButton1->SetEnabled(complete);
    VariButton3->SetEnabled(complete);
}

void TAsetuksetForm::VariButton1Click(TObject*)
{
    VarityksetList->Items()->Add(ColouringFromFields());
}

void TAsetuksetForm::VariButton3Click(TObject*)
{
    const int index = VarityksetList->ItemIndex();
    if (index >= 0)
        VarityksetList->Items()->Put(index, ColouringFromFields());
}

void TAsetuksetForm::VariButton2Click(TObject*)
{
    const int index = VarityksetList->ItemIndex();
    if (index < 0)
        return;
    VarityksetList->Items()->Delete(index);
    VEdit->SetText("");
    SetColouringButtons(false);
}

void TAsetuksetForm::VarityksetListClick(TObject*)
{
    const int index = VarityksetList->ItemIndex();
    if (index < 0)
        return;
    SetColouringButtons(true);
    const AnsiString entry = VarityksetList->Items()->Get(index);
    // An entry without a readable colour (the empty one of a fresh list) leaves the picker be.
    try {
        VColorComboBox->SetColorValue(StringToColor(ColouringEntryColourName(entry)));
    } catch (const EConvertError&) {
    }
    VEdit->SetText(ColouringEntryKeywords(entry));
}

void TAsetuksetForm::SpeedButton2Click(TObject*)
{
    MoveSelected(VarityksetList, -1);
}

void TAsetuksetForm::SpeedButton1Click(TObject*)
{
    MoveSelected(VarityksetList, 1);
}

// Each entry shows its keywords in its own colour. The keywords are matched against listing text,
// so what looks like a mark in them ("<b>", "<c:") is text here too; an empty entry draws nothing.
void TAsetuksetForm::VarityksetListDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State)
{
    if (Index < 0 || Index >= VarityksetList->Count())
        return;
    const AnsiString entry = VarityksetList->Items()->Get(Index);
    if (entry.empty())
        return;
    ProgrammeRow colour;
    const AnsiString colourName = ColouringEntryColourName(entry);
    if (!colourName.empty())
        colour.colours.push_back(colourName);
    PrepareRowCanvas(*VarityksetList, Rect, State, colour);
    VarityksetList->Canvas()->TextOut(Rect.Left + 2, Rect.Top, ColouringEntryKeywords(entry));
}

bool TAsetuksetForm::ViewFieldsFilled() const
{
    return !NEdit->Text().empty() && !NComboBox->Text().empty() && !NComboEdit->Text().empty();
}

AnsiString TAsetuksetForm::ViewFromFields() const
{
    return MakeViewEntry(NEdit->Text(), NComboBox->Text(), NComboEdit->Text());
}

void TAsetuksetForm::NakymatChange(TObject*)
{
    NEdit->SetHint(NEdit->Text());
    NComboBox->SetHint(NComboBox->Text());
    NComboEdit->SetHint(NComboEdit->Text());
    NakButton1->SetEnabled(!NEdit->Text().empty() && !NComboEdit->Text().empty());
}

void TAsetuksetForm::NakButton1Click(TObject*)
{
    if (ViewFieldsFilled())
        NakymatList->Items()->Add(ViewFromFields());
}

void TAsetuksetForm::NakButton3Click(TObject*)
{
    const int index = NakymatList->ItemIndex();
    if (index >= 0 && ViewFieldsFilled())
        NakymatList->Items()->Put(index, ViewFromFields());
}

void TAsetuksetForm::NakButton2Click(TObject*)
{
    const int index = NakymatList->ItemIndex();
    if (index < 0)
        return;
    NakymatList->Items()->Delete(index);
    NEdit->SetText("");
    NComboEdit->SetText("");
    NComboBox->SetItemIndex(-1);
    SetViewButtons(false);
}

void TAsetuksetForm::NakymatListClick(TObject*)
{
    const int index = NakymatList->ItemIndex();
    if (index < 0)
        return;
    SetViewButtons(true);
    const ViewEntryParts parts = SplitViewEntry(NakymatList->Items()->Get(index));
    NEdit->SetText(parts.title);
    NComboBox->SetItemIndex(NComboBox->Items()->IndexOf(parts.layout));
    NComboEdit->SetText(parts.channels);
}

void TAsetuksetForm::SpeedButton3Click(TObject*)
{
    MoveSelected(NakymatList, -1);
}

void TAsetuksetForm::SpeedButton4Click(TObject*)
{
    MoveSelected(NakymatList, 1);
}

// The chooser offers the channels enabled in the stored settings: the view's own on the left in
// the channel list's order, the others on the right.
void TAsetuksetForm::NComboEditClick(TObject*)
{
    const std::vector<AnsiString> chosen = SemicolonList(NComboEdit->Text());
    DualList->List1()->Clear();
    DualList->List2()->Clear();
    for (const AnsiString& channel : EnabledChannels()) {
        const bool inView = std::find(chosen.begin(), chosen.end(), channel) != chosen.end();
        (inView ? DualList->List1() : DualList->List2())->Add(channel);
    }
    if (DualList->Execute())
        NComboEdit->SetText(SemicolonJoined(*DualList->List1()));
}

void TAsetuksetForm::NComboEditKeyPress(TObject*, char& Key)
{
    Key = 0;
}

void TAsetuksetForm::KanavatListDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept)
{
    Accept = Source == static_cast<TObject*>(KanavatList);
}

void TAsetuksetForm::KanavatListDragDrop(TObject*, TObject*, int X, int Y)
{
    const int from = KanavatList->ItemIndex();
    if (from < 0)
        return;
    int to = KanavatList->ItemAtPos(Point(X, Y), true);
    if (to < 0)
        to = KanavatList->Count() - 1;
    KanavatList->Items()->Move(from, to);
    KanavatList->SetItemIndex(to);
}

void TAsetuksetForm::SpeedButton6Click(TObject*)
{
    AnsiString name;
    if (!InputQuery("Automaattisesti lisättävä hälytys"_a, "Ohjelman nimi:", name))
        return;
    if (name.size() >= kShortestKeyword)
        HalytysLst4->Items()->Add(name);
    else
        MessageDlg("Ohjelman nimi on liian lyhyt.", mtError, {mbOK});
}

void TAsetuksetForm::SpeedButton5Click(TObject*)
{
    const int index = HalytysLst4->ItemIndex();
    if (index >= 0)
        HalytysLst4->Items()->Delete(index);
}
