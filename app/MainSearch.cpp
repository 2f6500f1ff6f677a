// The search in the stored listings (F3, and the channel list's pop-up for the shown channel's
// files) and the look-up of a text on IMDb (F2, and the information pane's pop-up).
#include "app/Main.h"
#include "listings/ChannelTable.h"
#include "listings/ImdbAddress.h"
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Screen.h"
#include "platform/messages/Application.h"
#include "platform/services/ShellExecute.h"

namespace {

// The longest pre-filled text the look-up takes from the information pane.
constexpr std::size_t kLongestImdbPrefill = 254;

} // namespace

void TMainForm::CreateSearchCommands()
{
    const TNotifyEvent search = [this](TObject* sender) { MM_EtsiohjelmiatallennetuistatiedoistaClick(sender); };
    MM_Etsiohjelmiatallennetuistatiedoista->OnClick = search;
    Kanavat_EtsiKanavanTiedoista->OnClick = search;
    const TNotifyEvent lookUp = [this](TObject* sender) { MM_EtsiIMDBClick(sender); };
    MM_EtsiIMDB->OnClick = lookUp;
    InfoEdit_EtsiIMDB->OnClick = lookUp;
}

void TMainForm::MM_EtsiohjelmiatallennetuistatiedoistaClick(TObject* Sender)
{
    // The search lets messages run; F3 meanwhile would start a second one over the first.
    if (FSearching)
        return;
    AnsiString text;
    if (!InputQuery("Etsi ohjelmatiedoista", "Etsi tekstillä:"_a, text))
        return;
    if (text.size() < ShortestSearchText) {
        MessageDlg("Anna vähintää 3 merkkiä pitkä teksti!"_a, mtError, {mbOK});
        return;
    }
    const AnsiString channelCode = Sender == Kanavat_EtsiKanavanTiedoista ? ChannelCode(CurrentChannel) : AnsiString();

    // What a running search changes it gives back however it ends: the hourglass, the disabled
    // channel list and the flag that refuses a second search.
    const TCursor cursor = Screen->Cursor();
    ScopeExit searchEnded([this, cursor] {
        Screen->SetCursor(cursor);
        V_Kanavat->SetEnabled(true);
        FSearching = false;
    });
    FSearching = true;
    V_Kanavat->SetEnabled(false);
    Screen->SetCursor(crHourGlass);
    ++FViewGeneration;
    ViikotPanel->Hide();
    Ohjelmat->BringToFront();
    SearchMode = true;
    DayLines.Clear();
    ClearProgrammes();
    ProgrammeLayout = RowLayout::Search;
    TiedotText->Lines()->Clear();
    SetCaption("QEX 2000 - Haun tulokset");

    TStringList files;
    SearchedFiles(channelCode, files);
    const AnsiString foldedText = FoldAsciiLetters(text);
    for (int i = 0; i < files.Count(); ++i)
        if (!SearchListingFile(files[i], foldedText))
            return; // another view took the lists
    Ohjelmat->SetFocus();
    if (ColouringsEnabled())
        ApplyColourings(*Ohjelmat->Items(), *Keski_Ohjelmainfot->Items(), RowLayout::Search);
    if (Ohjelmat->Count() > 0) {
        Ohjelmat->SetItemIndex(0);
        Ohjelmat->SetSelected(0, true);
        OhjelmatClick(this);
    }
}

bool TMainForm::SearchListingFile(const AnsiString& path, const AnsiString& foldedText)
{
    const int generation = FViewGeneration;
    auto searchGoesOn = [&] { return generation == FViewGeneration && !Application->Terminated(); };
    TMemoryStream file;
    LoadRecordBytes(path, file);
    ListingRecordReader records(file);
    std::vector<SearchHit> hits;
    for (;;) {
        switch (records.Next()) {
        case ListingRecordReader::Step::End:
            return true;
        case ListingRecordReader::Step::BadLength:
            ShowMessage(IntToStr(records.Key()) + " " + path + " " + IntToStr(records.Length()));
            return searchGoesOn();
        case ListingRecordReader::Step::Record:
            hits.clear();
            SearchDayText(records.Key(), records.Text(), foldedText, hits);
            if (hits.empty())
                break;
            for (const SearchHit& hit : hits)
                AddProgramme(hit.row, hit.description);
            Application->ProcessMessages();
            if (!searchGoesOn())
                return false;
            break;
        }
    }
}

void TMainForm::MM_EtsiIMDBClick(TObject* Sender)
{
    AnsiString text;
    if (Sender == InfoEdit_EtsiIMDB)
        text = TiedotText->SelText().substr(0, kLongestImdbPrefill);
    if (!InputQuery("The Internet Movie Database haku", "Etsi tekstillä:"_a, text))
        return;
    // The text goes to the desktop's opener as one address argument, never through a shell.
    const AnsiString address = ImdbSearchAddress(text);
    // A desktop without a browser would otherwise leave the user waiting for a page that never comes.
    if (ShellExecute(0, "Open", address, AnsiString(), AnsiString(), SW_SHOWMAXIMIZED) > 32)
        return;
    AnsiString warning = "Osoitetta ei voitu avata selaimeen.\r\n(";
    warning += address;
    warning += ")";
    MessageDlg(warning, mtWarning, {mbOK});
}
