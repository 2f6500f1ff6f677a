// The channel view (one channel, one day), the day bar, the day menu, today's key, the
// five-minute refresh and the information pane of the programme list.
#include "app/Main.h"
#include "app/WeekDates.h"
#include "listings/Funktiot.h"
#include "listings/ProgrammeLine.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/TabControl.h"
#include "shell/BrowserHost.h"

namespace {

// A programme line of the day text: "hh:nn Title", ':' third and a blank sixth.
bool IsProgrammeLine(const AnsiString& line)
{
    return line.size() >= 6 && line[2] == ':' && line[5] == ' ';
}

// The lines of the day that the list now shows leave DayLines, all at once: deleting the first
// line one at a time moves every line after it each time.
void DropShownLines(TStringList& lines, int shown)
{
    if (shown == 0)
        return;
    TStringList rest;
    for (int i = shown; i < lines.Count(); ++i)
        rest.Add(lines[i]);
    lines.Assign(rest);
}

} // namespace

bool TMainForm::NormalViewChecked() const
{
    return MM_Normaali->Checked();
}

bool TMainForm::DayViewShown() const
{
    return V_Muut->ItemIndex() < 0 && !SearchMode;
}

void TMainForm::ClearProgrammes()
{
    Ohjelmat->Clear();
    Keski_Ohjelmainfot->Clear();
}

void TMainForm::AddProgramme(const AnsiString& line, const AnsiString& description)
{
    Ohjelmat->Items()->Add(line);
    Keski_Ohjelmainfot->Items()->Add(description);
}

void TMainForm::V_KanavatClick(TObject*)
{
    ++FViewGeneration;
    SearchMode = false;
    V_Muut->SetItemIndex(-1);
    MM_Normaali->SetChecked(true);
    if (MM_PaivaPalkkiOn->Checked() && !ViikotPanel->Visible()) {
        ViikotPanel->Show();
        // While hidden the bar kept the width it had before another view changed the room it
        // gets; its tabs are laid out for the width it has now.
        FormResize(this);
    }
    Ohjelmat->BringToFront();
    // A view chosen from the menu took the list's pop-up menu, and with it the Ins keys.
    Ohjelmat->SetPopupMenu(Ohjelmat_PopupMenu);
    ClearProgrammes();
    ProgrammeLayout = RowLayout::Channel;
    TiedotText->Lines()->Clear();
    DayLines.Clear();

    if (V_Kanavat->Count() == 0) {
        CurrentChannel.clear();
        return;
    }
    if (V_Kanavat->ItemIndex() < 0) {
        int current = V_Kanavat->Items()->IndexOf(CurrentChannel);
        V_Kanavat->SetItemIndex(current >= 0 && V_Kanavat->Items()->Get(current) == CurrentChannel ? current : 0);
    }
    CurrentChannel = V_Kanavat->Items()->Get(V_Kanavat->ItemIndex());

    const AnsiString shownDate = LongShownDate(CurrentDate);
    if (!LoadDayListing(ChannelCode(CurrentChannel), CurrentDate, DayLines)) {
        SetCaption("QEX 2000 - " + CurrentChannel + ", Tietoja ei ole haettu (" + shownDate + ")");
        DayLines.Clear();
        return;
    }
    SetCaption("QEX 2000 - " + CurrentChannel + ", " + shownDate);
    Ohjelmat->Items()->BeginUpdate();
    const int pairs = DayLines.Count() / 2;
    int shown = 0;
    for (; shown < pairs; ++shown) {
        const AnsiString line = DayLines[2 * shown];
        if (!IsProgrammeLine(line))
            break;
        AddProgramme(line.substr(0, 5) + " " + CharactersFrom(line, 7), DayLines[2 * shown + 1]);
    }
    Ohjelmat->Items()->EndUpdate();
    DropShownLines(DayLines, 2 * shown);

    if (CurrentWeek == 0)
        MarkCurrentProgramme(false);
    if (PastProgrammesAreRemoved(CurrentDayIndex, CurrentWeek))
        RemovePastProgrammes();
    if (ColouringsEnabled())
        ApplyColourings(*Ohjelmat->Items(), *Keski_Ohjelmainfot->Items(), RowLayout::Channel);
    MarkAlarmedProgrammes();
    // The colourings and the alarm colour may have rewritten the marked row.
    if (CurrentWeek == 0)
        MarkCurrentProgramme(false);
}

void TMainForm::ViikkoChange(TObject*)
{
    if (CurrentWeek == 1)
        WeekDayTab1 = ViikonPaivatTabs->TabIndex();
    else
        WeekDayTab0 = ViikonPaivatTabs->TabIndex();
    CurrentWeek = ViikotTabs->TabIndex();
    ViikonPaivatTabs->SetTabIndex(CurrentWeek == 1 ? WeekDayTab1 : WeekDayTab0);
    EmptyRoutine();
    ViikonPaivaChange(this);
}

void TMainForm::ViikonPaivaChange(TObject*)
{
    const int dayTab = std::clamp(ViikonPaivatTabs->TabIndex(), 0, 6);
    CurrentDate = WeekDates[dayTab + 1 + 7 * CurrentWeek];
    CurrentDayIndex = dayTab + 1;
    CurrentDayName = DayName(false, StrToDate(CurrentDate));
    // Shown at once even while a download runs, which can take as long as the server does: a list
    // left on the old day under tabs and a caption of the new one would have Ins, the links and
    // printing pair one day's date with the other day's programme.
    if (NormalViewChecked()) {
        V_KanavatClick(this);
        return;
    }
    for (int i = MM_Nakyma->Count() - 4; i >= 2; --i) {
        TMenuItem* item = MM_Nakyma->Items(i);
        if (item->Checked())
            item->Click();
    }
}

void TMainForm::DayMenuClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !DayViewShown())
        return;
    const int tag = item->Tag;
    if (tag < 1 || tag > 14)
        return;
    ViikotTabs->SetTabIndex(tag <= 7 ? 0 : 1);
    ViikkoChange(this);
    ViikonPaivatTabs->SetTabIndex(tag <= 7 ? tag - 1 : tag - 8);
    ViikonPaivaChange(this);
    item->SetChecked(true);
}

void TMainForm::MM_TanaanClick(TObject*)
{
    if (!DayViewShown())
        return;
    // Today may be a day of weeks the calendar has not followed yet.
    FollowTvDay();
    const AnsiString today = DayName(true, Now());
    for (int i = 1; i <= 7; ++i) {
        const AnsiString caption = MM_D[i]->Caption();
        if (caption.substr(0, caption.find('\t')) == today)
            DayMenuClick(MM_D[i]);
    }
}

void TMainForm::Timer1Timer(TObject*)
{
    if (!DayViewShown() || !NormalViewChecked())
        return;
    if (PastProgrammesAreRemoved(CurrentDayIndex, CurrentWeek))
        RemovePastProgrammes();
    MarkAlarmedProgrammes();
    if (DayIndex(false, Now()) == CurrentDayIndex)
        MarkCurrentProgramme(false);
    Ohjelmat->Repaint();
}

void TMainForm::OhjelmatClick(TObject*)
{
    TiedotText->Lines()->Clear();
    const int index = Ohjelmat->ItemIndex();
    if (Ohjelmat->SelCount() > 1 || index < 0 || index >= Ohjelmat->Count())
        return;
    RichEditAddLine(TiedotText, Trim(RowText(Ohjelmat->Items()->Get(index), ProgrammeLayout)), clBlack, {fsBold});
    if (Keski_Ohjelmainfot->Count() == 0)
        return;
    // A description is listing text only: the lists put no marks on it.
    const AnsiString description =
        index < Keski_Ohjelmainfot->Count() ? Keski_Ohjelmainfot->Items()->Get(index) : AnsiString();
    if (description.size() > 2) {
        RichEditAddLine(TiedotText, Trim(description), clBlack, {});
        return;
    }
    // Without a description the title stands in for it.
    const AnsiString first = TiedotText->Lines()->Count() > 0 ? TiedotText->Lines()->Get(0) : AnsiString();
    const int colon = Pos(":", first);
    RichEditAddLine(TiedotText, Trim(colon > 0 ? Copy(first, colon + 4, static_cast<int>(first.size())) : first),
                    clBlack, {});
}
