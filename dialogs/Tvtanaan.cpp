#include "dialogs/Tvtanaan.h"
#include "dialogs/ProgrammeLineDrawing.h"
#include "dialogs/RichEditLines.h"
#include "listings/ProgrammeRow.h"
#include "listings/Settings.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Splitter.h"
#include "platform/messages/Application.h"
#include "shell/TrayIcon.h"
#include <algorithm>

TTVTanaanForm* TVTanaanForm = nullptr;

namespace {

constexpr int kSplitterHeight = 2;
constexpr int kMinPaneHeight = 50;

const char* const kSection = "Ulkoasu";
// Keys and the defaults the hot key opens the window with.
struct PlacementKey {
    AnsiString key;
    int defaultValue;
};
const PlacementKey kLeftKey{"TVTänään.X"_a, 0};
const PlacementKey kTopKey{"TVTänään.Y"_a, 0};
const PlacementKey kWidthKey{"TVTänään.Leveys"_a, 440};
const PlacementKey kHeightKey{"TVTänään.Korkeus"_a, 190};
const PlacementKey kSplitKey{"TVTänään.Jakaja"_a, 75};

int ReadPlacement(const PlacementKey& key)
{
    return IniReadInteger(kSection, key.key, key.defaultValue);
}

// The title of a line "Channel, hh:nn Title": from four characters after its first ':' on.
AnsiString TitleWithoutTime(const AnsiString& line)
{
    const std::size_t colon = line.find(':');
    if (colon == AnsiString::npos || colon + 4 > line.size())
        return AnsiString();
    return line.substr(colon + 4);
}

} // namespace

TTVTanaanForm::TTVTanaanForm(TComponent* owner) : TForm(owner)
{
    SetName("TVTanaanForm");
    SetBorderStyle(bsSizeToolWin);
    SetShowInTaskbar(false);
    SetFormStyle(fsStayOnTop);
    KeyPreview = true;
    Font()->SetName("Arial");
    Font()->SetHeight(-12);
    SetBounds(0, 0, 600, 362);
    CreateControls();

    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnShow = [this](TObject*) { ApplyWantedSplit(); };
    OnResize = [this](TObject*) { ApplyWantedSplit(); };
    Splitter->OnMoved = [this](TObject*) { FWantedSplit = -1; };
    Ohjelmat->OnDrawItem = [this](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        OhjelmatDrawItem(control, index, rect, state);
    };
    Ohjelmat->OnClick = [this](TObject* sender) { OhjelmatClick(sender); };
}

void TTVTanaanForm::CreateControls()
{
    const int height = ClientHeight();
    const int width = ClientWidth();

    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetBounds(0, 0, width, height);
    Panel1->SetAlign(alClient);

    // Bottom-aligned controls take their places by their bottom edges: the pane lowest.
    Keski_Infoedit = new TRichEdit(this);
    Keski_Infoedit->SetName("Keski_Infoedit");
    Keski_Infoedit->SetParent(Panel1);
    Keski_Infoedit->SetBounds(0, height - 64, width, 64);
    Keski_Infoedit->SetReadOnly(true);
    Keski_Infoedit->SetAlign(alBottom);

    Splitter = new TSplitter(this);
    Splitter->SetName("Splitter");
    Splitter->SetParent(Panel1);
    Splitter->SetBounds(0, height - 64 - kSplitterHeight, width, kSplitterHeight);
    Splitter->SetMinSize(kMinPaneHeight);
    Splitter->SetAlign(alBottom);

    Ohjelmat = new TListBox(this);
    Ohjelmat->SetName("Ohjelmat");
    Ohjelmat->SetParent(Panel1);
    Ohjelmat->SetStyle(lbOwnerDrawFixed);
    Ohjelmat->SetItemHeight(15);
    Ohjelmat->SetAlign(alClient);

    Keski_Ohjelmainfot = new TListBox(this);
    Keski_Ohjelmainfot->SetName("Keski_Ohjelmainfot");
    Keski_Ohjelmainfot->SetParent(Panel1);
    Keski_Ohjelmainfot->SetVisible(false);
}

void TTVTanaanForm::ClearLists()
{
    Keski_Infoedit->Clear();
    Keski_Ohjelmainfot->Clear();
    Ohjelmat->Clear();
}

int TTVTanaanForm::SplitPosition() const
{
    return ClientHeight() - Keski_Infoedit->Height() - kSplitterHeight;
}

void TTVTanaanForm::SetSplitPosition(int top)
{
    // A hidden window knows its inner height only roughly until its frame appears; the split is
    // set again then.
    FWantedSplit = Visible() ? -1 : top;
    FWantedHeight = Height();
    ApplySplit(top);
}

// The window manager frames a window only after it is shown, and the inner height shrinks then;
// the stored split holds until the frame is there (or the user moves the splitter).
void TTVTanaanForm::ApplyWantedSplit()
{
    if (FWantedSplit < 0 || !Visible())
        return;
    ApplySplit(FWantedSplit);
    // Until then Qt reports the frame as the inner window itself.
    QWidget* window = Widget();
    if (window->frameGeometry() != window->geometry() && window->frameGeometry().height() == FWantedHeight)
        FWantedSplit = -1;
}

void TTVTanaanForm::ApplySplit(int top)
{
    const int room = ClientHeight() - kSplitterHeight;
    const int pane = std::clamp(room - top, std::min(kMinPaneHeight, room), std::max(kMinPaneHeight, room));
    Keski_Infoedit->SetHeight(pane);
    Panel1->Realign();
}

void TTVTanaanForm::RestorePlacement()
{
    SetBounds(ReadPlacement(kLeftKey), ReadPlacement(kTopKey), ReadPlacement(kWidthKey), ReadPlacement(kHeightKey));
    SetSplitPosition(ReadPlacement(kSplitKey));
}

void TTVTanaanForm::ShowOnTop()
{
    SetCaption(FormatDateTime("dddd d. mmmm\"ta\" yyyy, h.nn", ClockNow()));
    Show();
    Ohjelmat->SetFocus();
    if (Ohjelmat->Count() > 0) {
        Ohjelmat->SetItemIndex(0);
        OhjelmatClick(Ohjelmat);
    }
    Activate();
    // Stay-on-top was given once; setting it again brings the window above every other.
    SetFormStyle(fsStayOnTop);
}

void TTVTanaanForm::OhjelmatDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State)
{
    DrawProgrammeLine(*Ohjelmat, Index, Rect, State, RowLayout::NowOnAir);
}

void TTVTanaanForm::OhjelmatClick(TObject*)
{
    Keski_Infoedit->Clear();
    const int index = Ohjelmat->ItemIndex();
    if (index < 0 || index >= Ohjelmat->Count())
        return;
    if (Ohjelmat->SelCount() <= 1)
        RichEditAddLine(Keski_Infoedit, Trim(RowText(Ohjelmat->Items()->Get(index), RowLayout::NowOnAir)), clBlack,
                        {fsBold});
    if (Keski_Ohjelmainfot->Count() == 0)
        return;
    const AnsiString description =
        index < Keski_Ohjelmainfot->Count() ? Keski_Ohjelmainfot->Items()->Get(index) : AnsiString();
    if (description.size() > 2) {
        RichEditAddLine(Keski_Infoedit, Trim(description), clBlack, {});
    } else {
        // Without a description the title stands in for it.
        const AnsiString first = Keski_Infoedit->Lines()->Count() > 0 ? Keski_Infoedit->Lines()->Get(0) : AnsiString();
        RichEditAddLine(Keski_Infoedit, Trim(TitleWithoutTime(first)), clBlack, {});
    }
}

void TTVTanaanForm::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key != VK_ESCAPE && Key != VK_RETURN)
        return;
    Key = 0;
    Close();
    if (InTray())
        Application->ShowTaskbarWindow(false);
}

void TTVTanaanForm::FormClose(TObject*, TCloseAction&)
{
    FWantedSplit = -1;
    // A settings file that can't be written costs the stored place, never the closing.
    try {
        SavePlacement();
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    if (InTray()) {
        Application->ShowTaskbarWindow(false);
    } else if (TForm* main = Application->MainForm(); main && main != this) {
        main->Show();
    }
}

void TTVTanaanForm::SavePlacement()
{
    TIniFile ini(SettingsFilePath());
    ini.WriteString(kSection, kLeftKey.key, IntToStr(Left()));
    ini.WriteString(kSection, kTopKey.key, IntToStr(Top()));
    ini.WriteString(kSection, kWidthKey.key, IntToStr(Width()));
    ini.WriteString(kSection, kHeightKey.key, IntToStr(Height()));
    ini.WriteString(kSection, kSplitKey.key, IntToStr(SplitPosition()));
}

bool TTVTanaanForm::InTray() const
{
    return Tray && Tray->Active();
}
