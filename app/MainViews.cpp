// Switching between the channel view, the own views (tables in the browser, the time line in the
// programme list), the alarm view and the what-is-on-now view.
#include "app/Main.h"
#include "app/NowOnAirRows.h"
#include "app/ViewTags.h"
#include "app/WeekDates.h"
#include "listings/Funktiot.h"
#include "listings/NakymaAikajono.h"
#include "listings/NakymaTaulukko.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Panel.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/RichEdit.h"
#include "platform/messages/Application.h"
#include "shell/BrowserHost.h"

void TMainForm::MM_NormaaliClick(TObject*)
{
    Ohjelmat->BringToFront();
    Ohjelmat->SetPopupMenu(Ohjelmat_PopupMenu);
    MM_Normaali->SetChecked(true);
    V_Panel->Show();
    WWW->SendToBack();
    FormResize(this);
    V_Kanavat->SetItemIndex(0);
    V_KanavatClick(this);
}

void TMainForm::NakymatClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item)
        return;
    Ohjelmat->SetPopupMenu(nullptr);
    if (item->Tag == AlarmViewTag || item->Tag == NowOnAirViewTag) {
        V_Muut->SetItemIndex(item->Tag - AlarmViewTag);
        V_MuutClick(this);
    } else {
        ++FViewGeneration;
        const ViewEntry view = ParseViewEntry(ReadViewEntry(item->Tag));
        ShowOwnView(view.layout, view.channels);
    }
    item->SetChecked(true);
}

void TMainForm::ShowOwnView(const AnsiString& layout, const TStrings& channels)
{
    const bool table = layout == "Taulukko" || layout == "Taulukko (laaja)";
    const bool table2 = layout == "Taulukko 2" || layout == "Taulukko 2 (laaja)";
    if (!table && !table2 && layout != "Aikajono")
        return;
    // The view replaces the alarm view, what is on now or search results, when one of those was
    // shown: from now on the day keys and the day turn draw it again for the day they choose.
    V_Muut->SetItemIndex(-1);
    SearchMode = false;
    FListingGridDate = CurrentDate;
    if (table || table2) {
        V_Panel->Hide();
        TiedotText->Lines()->Clear();
        WWW->BringToFront();
        FormResize(this);
        const bool wide = layout.find("(laaja)") != AnsiString::npos;
        TableView view = table ? BuildTableView(channels, wide, CurrentDate, AlarmKeys())
                               : BuildTable2View(channels, wide, CurrentDate, AlarmKeys());
        ListingGrid = std::move(view.grid);
        SetCaption(view.caption);
        WWW->LoadHtmlFromStrings(view.page);
        return;
    }
    Ohjelmat->BringToFront();
    Ohjelmat->SetPopupMenu(Ohjelmat_PopupMenu);
    V_Panel->Hide();
    TiedotText->Lines()->Clear();
    WWW->SendToBack();
    FormResize(this);
    ProgrammeLayout = RowLayout::Timeline;
    TimelineView view =
        BuildTimelineView(channels, CurrentDate, AlarmKeys(), *Ohjelmat->Items(), *Keski_Ohjelmainfot->Items());
    ListingGrid = std::move(view.grid);
    SetCaption(view.caption);
    MarkCurrentProgramme(false);
    if (PastProgrammesAreRemoved(CurrentDayIndex, CurrentWeek))
        RemovePastProgrammes();
}

void TMainForm::V_MuutClick(TObject*)
{
    ++FViewGeneration;
    if (MM_PaivaPalkkiOn->Checked())
        ViikotPanel->Hide();
    const int count = MM_Nakyma->Count();
    if (V_Muut->ItemIndex() == 0) {
        MM_Nakyma->Items(count - 2)->SetChecked(true);
        AlarmlistColumnClick(this, Alarmlist->Columns()->Items(0));
        WWW->SendToBack();
        V_Kanavat->SetItemIndex(-1);
        TiedotText->Lines()->Clear();
        SetCaption("QEX 2000 - Hälytykset"_a);
        Alarmlist->BringToFront();
        Alarmlist->SetFocus();
    } else if (V_Muut->ItemIndex() == 1) {
        MM_Nakyma->Items(count - 1)->SetChecked(true);
        WWW->SendToBack();
        V_Kanavat->SetItemIndex(-1);
        TiedotText->Lines()->Clear();
        SetCaption("QEX 2000 - TV:ssä nyt ja seuraavaksi"_a);
        Ohjelmat->BringToFront();
        FillNowOnAir();
    }
}

void TMainForm::FillNowOnAir()
{
    ClearProgrammes();
    ProgrammeLayout = RowLayout::NowOnAir;
    const int generation = FViewGeneration;
    // Another view chosen meanwhile (or the program closing) owns the lists then.
    const auto wanted = [this, generation] { return generation == FViewGeneration && !Application->Terminated(); };
    if (!FillNowOnAirLists(*V_Kanavat->Items(), CurrentTvDateText(Now()), *Ohjelmat->Items(),
                           *Keski_Ohjelmainfot->Items(), wanted))
        return;
    Ohjelmat->SetFocus();
    if (Ohjelmat->Count() > 0) {
        Ohjelmat->SetItemIndex(0);
        Ohjelmat->SetSelected(0, true);
        OhjelmatClick(this);
    }
}
