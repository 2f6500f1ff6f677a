#include "dialogs/Tulostus.h"
#include "kit/DualList.h"
#include "kit/SpeedButton.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "listings/SettingEntries.h"
#include "platform/core/DateTime.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Panel.h"
#include "printing/PagePrinter.h"

TPrintForm* PrintForm = nullptr;

namespace {

const char* const kFontName = "Verdana";

// A small printer: paper coming out of a grey body.
TBitmap PrinterGlyph()
{
    TBitmap glyph(16, 16);
    TCanvas* canvas = glyph.Canvas();
    // The bottom-left pixel gives the see-through colour; white is the printer's paper.
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(Rect(0, 0, 16, 16));
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(clWhite);
    canvas->Rectangle(4, 1, 12, 8);
    canvas->Brush()->SetColor(clSilver);
    canvas->Rectangle(1, 7, 15, 13);
    canvas->Brush()->SetColor(clWhite);
    canvas->Rectangle(4, 11, 12, 15);
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(Rect(11, 9, 13, 10));
    return glyph;
}

// The two weekday letters of a caption "d.m.yyyy (XX)".
AnsiString WeekdayLetters(const AnsiString& caption)
{
    const std::size_t open = caption.find('(');
    return open == AnsiString::npos ? AnsiString() : caption.substr(open + 1, 2);
}

bool CaptionDate(const AnsiString& caption, TDateTime& date)
{
    return TryStrToDate(caption.substr(0, caption.find(' ')), date);
}

// A programme after midnight carries the next calendar date but the weekday letters of the TV
// day it belongs to, so it stays under that day's heading.
bool BelongsToHeadingDay(const AnsiString& caption, const AnsiString& heading)
{
    TDateTime date = 0;
    TDateTime headingDate = 0;
    return WeekdayLetters(caption) == WeekdayLetters(heading) && CaptionDate(caption, date) &&
           CaptionDate(heading, headingDate) && date == headingDate + 1;
}

} // namespace

TPrintForm::TPrintForm(TComponent* owner) : TForm(owner)
{
    SetName("PrintForm");
    SetCaption("Tulostus");
    SetPosition(poScreenCenter);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    SetBounds(0, 0, 840, 642);
    // Nothing here has a cancel button, yet a dialog closes with Escape.
    KeyPreview = true;
    CreateControls();
    SpeedButton1->OnClick = [this](TObject* sender) { Button2Click(sender); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
}

void TPrintForm::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_ESCAPE) {
        Key = 0;
        Close();
    }
}

void TPrintForm::CreateControls()
{
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetBounds(0, 0, ClientWidth(), 33);
    Panel1->SetAlign(alTop);

    SpeedButton1 = new TKitSpeedButton(this);
    SpeedButton1->SetName("SpeedButton1");
    SpeedButton1->SetParent(Panel1);
    SpeedButton1->SetBounds(4, 4, 25, 25);
    SpeedButton1->SetHint("Tulosta");
    SpeedButton1->SetGlyph(PrinterGlyph());

    PP = new TPagePrinter(this);
    PP->SetName("PP");
    PP->SetParent(this);
    PP->SetAlign(alClient);
    PP->SetMeasureUnit(muMillimeters);
    PP->SetMarginTop(8);
    PP->SetLineSpacing(lsSingleAndAHalf);
    PP->SetGradientBackground(false);
    PP->SetShadowOffset(0);
    PP->SetZoomPercent(100);
    PP->SetHeaderFormat("<290,19");
    PP->SetTableFormat("<12|<60|<12|<60|<12|<60|<12|<60");
    PP->Font()->SetName("Courier New");
    PP->Font()->SetHeight(-13);

    DList = new TDualListDialog(this);
    DList->SetName("DList");
    DList->SetLabel1Caption("&Tulostetaan");
    DList->SetLabel2Caption("&Käytettävissä"_a);
    DList->SetCancelBtnCaption("Peruuta");
    DList->SetSorted(false);
    DList->SetShowHelp(false);
}

void TPrintForm::StartDocument(const AnsiString& title)
{
    PP->SetTitle(title);
    PP->HeaderFont()->SetName(kFontName);
    PP->HeaderFont()->SetSize(12);
    PP->HeaderFont()->SetStyle({fsBold});
    PP->SetFriendlyHeader("&i");
    PP->SetOrientation(poPortrait);
    PP->BeginDoc();
    PP->Font()->SetName(kFontName);
}

void TPrintForm::SetFont(int size, bool bold)
{
    PP->Font()->SetSize(size);
    PP->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

void TPrintForm::Button3Click(const AnsiString& currentDate)
{
    DList->List1()->Clear();
    DList->List2()->Clear();
    for (const AnsiString& channel : EnabledChannels())
        DList->List2()->Add(channel);
    if (!DList->Execute())
        return;
    if (DList->List1()->Count() == 0) {
        MessageDlg("Lisää vähintään yksi kanava tulostettaviin"_a, mtError, {mbOK});
        return;
    }

    TDateTime day = 0;
    const AnsiString shownDay = TryStrToDate(currentDate, day) ? FormatDateTime("dddd d.m.yyyy", day) : currentDate;
    StartDocument("Päivän tiedot - "_a + shownDay);
    // An unreadable listing file is reported by the caller; the document is closed all the same,
    // so the next preparation starts a fresh one.
    ScopeExit endDocument([this] { PP->EndDoc(); });
    SetFont(12, true);
    PP->WriteLine("");
    for (int i = 0; i < DList->List1()->Count(); ++i)
        WriteChannel(DList->List1()->Get(i), currentDate);
}

void TPrintForm::WriteChannel(const AnsiString& channel, const AnsiString& currentDate)
{
    TStringList lines;
    if (!LoadDayListing(ChannelCode(channel), currentDate, lines) || lines.Count() == 0)
        return;
    SetFont(10, true);
    PP->WriteLine(channel);
    PP->WriteLine("");
    // Programme lines stand at the even indexes, their descriptions between them. The
    // programmes run on as one paragraph that the printer wraps.
    for (int j = 0; j < lines.Count(); j += 2) {
        const AnsiString line = lines[j];
        if (line.empty())
            continue;
        SetFont(8, true);
        PP->Write((j > 0 ? " " : "") + line.substr(0, 5));
        SetFont(8, false);
        PP->Write(line.size() > 5 ? line.substr(5) : AnsiString());
    }
    PP->WriteLine("");
    PP->WriteLine("");
}

void TPrintForm::Button4Click(const std::vector<AlarmRow>& rows)
{
    StartDocument("Hälytykset"_a);
    AnsiString heading;
    for (const AlarmRow& row : rows) {
        if (heading.empty() || (row.Caption != heading && !BelongsToHeadingDay(row.Caption, heading))) {
            heading = row.Caption;
            SetFont(12, true);
            PP->WriteLine("");
            PP->WriteLine(heading);
            PP->WriteLine("");
        }
        SetFont(10, false);
        PP->Write(row.SubItems[afTime] + " " + row.SubItems[afTitle]);
        SetFont(10, true);
        PP->Write(" (" + row.SubItems[afChannel] + ")");
        PP->WriteLine("");
    }
    PP->EndDoc();
}

void TPrintForm::Button2Click(TObject*)
{
    PP->Print();
}
