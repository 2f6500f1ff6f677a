// The main window's controls and components as the form is laid out: the channel column on the
// left, the day bar, the programme list, alarm list and browser stacked in the centre, the
// information pane under them and the status bar at the bottom.
#include "app/Main.h"
#include "alarms/AlarmSounds.h"
#include "app/ChannelIcons.h"
#include "net/HttpClient.h"
#include "platform/core/DateTime.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/ListView.h"
#include "platform/forms/PageScroller.h"
#include "platform/forms/Panel.h"
#include "platform/forms/PlaceControl.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Timer.h"
#include "platform/services/MediaPlayer.h"
#include "shell/BrowserHost.h"
#include "shell/GlobalHotKey.h"
#include "shell/TrayIcon.h"
#include "unpack/Gzip.h"
#include "unpack/UnTar.h"

TMainForm* MainForm = nullptr;

namespace {

TListBox* MakeOwnerDrawnList(TMainForm* form, TWinControl* parent, const char* name, TAlign align, int itemHeight)
{
    TListBox* list = PlaceControl(new TListBox(form), parent, name, align);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(itemHeight);
    return list;
}

void AddColumn(TListView* view, const AnsiString& caption, int width, int minWidth, bool autoSize = false)
{
    TListColumn* column = view->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
    column->SetMinWidth(minWidth);
    column->SetAutoSize(autoSize);
}

} // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner)
{
    SetName("MainForm");
    SetCaption("QEX 2000");
    SetMinSize(400, 300);
    Font()->SetName("Arial");
    Font()->SetHeight(-12);
    KeyPreview = true;
    SetBounds(1, 1, 700, 644);

    CreateMenus();
    CreateControls();
    CreateComponents();
    CreateAlarmCommands();
    CreateSearchCommands();

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
}

TMainForm::~TMainForm()
{
    // Notice windows outlive the main window; closing one must not reach its freed player.
    if (AlarmSounds.Player == Aanisoitto)
        AlarmSounds = {};
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::CreateControls()
{
    auto drawList = [this](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        V_ListatDrawItem(control, index, rect, state);
    };

    StatusPanel = PlaceControl(new TStatusBar(this), this, "StatusPanel", alBottom);
    StatusPanel->SetHeight(19);
    const struct {
        int width;
        TAlignment alignment;
    } panelLayouts[] = {{500, taLeftJustify}, {90, taCenter}, {80, taCenter}};
    for (const auto& layout : panelLayouts) {
        TStatusPanel* panel = StatusPanel->Panels()->Add();
        panel->SetWidth(layout.width);
        panel->SetAlignment(layout.alignment);
    }

    V_Panel = PlaceControl(new TPanel(this), this, "V_Panel", alLeft);
    V_Panel->SetBevelOuter(bvNone);
    V_Panel->SetWidth(115);
    V_Muut = MakeOwnerDrawnList(this, V_Panel, "V_Muut", alBottom, 20);
    V_Muut->SetHeight(44);
    V_Muut->Items()->Add("Hälytykset"_a);
    V_Muut->Items()->Add("TV:ssä nyt"_a);
    V_Muut->OnDrawItem = drawList;
    V_Muut->OnClick = [this](TObject* sender) { V_MuutClick(sender); };
    V_Muut->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        V_MuutMouseDown(s, b, sh, x, y);
    };
    V_Scroller = PlaceControl(new TPageScroller(this), V_Panel, "V_Scroller", alClient);
    V_Scroller->SetButtonSize(20);
    V_Kanavat = MakeOwnerDrawnList(this, V_Scroller, "V_Kanavat", alNone, 20);
    V_Kanavat->SetWidth(115);
    V_Scroller->SetControl(V_Kanavat);
    V_Kanavat->SetPopupMenu(Kanavat_PopupMenu);
    V_Kanavat->OnDrawItem = drawList;
    V_Kanavat->OnClick = [this](TObject* sender) { V_KanavatClick(sender); };
    V_Kanavat->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        V_KanavatMouseDown(s, b, sh, x, y);
    };
    V_Kanavat->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        V_KanavatMouseUp(s, b, sh, x, y);
    };

    KeskiPanel = PlaceControl(new TPanel(this), this, "KeskiPanel", alClient);
    KeskiPanel->SetBevelOuter(bvNone);

    ViikotPanel = PlaceControl(new TPanel(this), KeskiPanel, "ViikotPanel", alTop);
    ViikotPanel->SetBevelOuter(bvNone);
    ViikotPanel->SetHeight(48);
    ViikotPanel->Hide();
    ViikotTabs = PlaceControl(new TTabControl(this), ViikotPanel, "ViikotTabs", alTop);
    ViikotTabs->SetBounds(0, 0, 500, 24);
    ViikotTabs->Tabs()->Add("Viikko");
    ViikotTabs->Tabs()->Add("Viikko");
    ViikotTabs->SetTabWidth(120);
    ViikotTabs->SetTabIndex(0);
    ViikotTabs->OnChange = [this](TObject* sender) { ViikkoChange(sender); };
    ViikonPaivatTabs = PlaceControl(new TTabControl(this), ViikotPanel, "ViikonPaivatTabs", alTop);
    ViikonPaivatTabs->SetBounds(0, 24, 500, 24);
    for (const AnsiString& day : {"Maanantai"_a, "Tiistai"_a, "Keskiviikko"_a, "Torstai"_a, "Perjantai"_a,
                                  "Lauantai"_a, "Sunnuntai"_a})
        ViikonPaivatTabs->Tabs()->Add(day);
    ViikonPaivatTabs->SetTabWidth(60);
    ViikonPaivatTabs->SetTabIndex(0);
    ViikonPaivatTabs->OnChange = [this](TObject* sender) { ViikonPaivaChange(sender); };

    // Bottom-aligned in this order from the edge: the pane, then the bar above it.
    TiedotText = PlaceControl(new TRichEdit(this), KeskiPanel, "TiedotText", alBottom);
    TiedotText->SetBounds(0, 500, 500, 100);
    TiedotText->SetReadOnly(true);
    TiedotText->SetScrollBars(ssVertical);
    TiedotText->SetPopupMenu(InfoEdit_PopupMenu);
    Jakaja = PlaceControl(new TSplitter(this), KeskiPanel, "Jakaja", alBottom);
    Jakaja->SetBounds(0, 497, 500, 3);

    ListatPanel = PlaceControl(new TPanel(this), KeskiPanel, "ListatPanel", alClient);
    ListatPanel->SetBevelOuter(bvNone);
    WWW = PlaceControl(new TBrowserHost(this), ListatPanel, "WWW", alClient);
    WWW->OnShowContextMenu = [this](DWORD id, TPoint* point, void* target, void* object) {
        return WWWShowContextMenu(id, point, target, object);
    };
    WWW->OnBeforeNavigate2 = [this](TObject* sender, void* browser, const AnsiString& url, int flags,
                                    const AnsiString& frame, const AnsiString& postData, const AnsiString& headers,
                                    bool& cancel) {
        WWWBeforeNavigate2(sender, browser, url, flags, frame, postData, headers, cancel);
    };
    // Its pages carry no script of their own, and they are built from text that came over the
    // network: nothing in them may run.
    WWW->SetDownloadOptions(WWW->DownloadOptions() << TDownloadControlOption::DLCTL_NO_SCRIPTS);
    TPrintOptions* print = WWW->PrintOptions();
    print->Margins = {19.05, 19.05, 19.05, 19.05};
    print->Header = "&w&bPage &p of &P";
    print->Footer = "&u&b&d";
    WWW->Loaded();
    Alarmlist = PlaceControl(new TListView(this), ListatPanel, "Alarmlist", alClient);
    Alarmlist->SetViewStyle(vsReport);
    Alarmlist->SetMultiSelect(true);
    Alarmlist->SetReadOnly(true);
    Alarmlist->SetRowSelect(true);
    Alarmlist->SetPopupMenu(PopupMenu_Alarms);
    AddColumn(Alarmlist, "Päivä"_a, 95, 50);
    AddColumn(Alarmlist, "Kanava", 80, 80);
    AddColumn(Alarmlist, "Aika", 40, 40);
    AddColumn(Alarmlist, "Ohjelma", 355, 50, true);
    AddColumn(Alarmlist, "Esittämiseen"_a, 125, 125);
    Alarmlist->Columns()->Items(4)->SetMaxWidth(125);
    AddColumn(Alarmlist, "Ohjelmaninfo", 0, 0);
    AddColumn(Alarmlist, "Asetukset", 0, 0);
    Keski_Ohjelmainfot = PlaceControl(new TListBox(this), ListatPanel, "Keski_Ohjelmainfot");
    Keski_Ohjelmainfot->Hide();
    Ohjelmat = MakeOwnerDrawnList(this, ListatPanel, "Ohjelmat", alClient, 15);
    Ohjelmat->SetMultiSelect(true);
    Ohjelmat->SetPopupMenu(Ohjelmat_PopupMenu);
    Ohjelmat->OnDrawItem = [this](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        OhjelmatDrawItem(control, index, rect, state);
    };
    Ohjelmat->OnClick = [this](TObject* sender) { OhjelmatClick(sender); };
    Ohjelmat->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        OhjelmatMouseDown(s, b, sh, x, y);
    };
    Ohjelmat->BringToFront();
}

void TMainForm::CreateComponents()
{
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(300000);
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    // The alarm clock and the beeps are driven by the alarm units.
    AlarmsTimer = new TTimer(this);
    AlarmsTimer->SetName("AlarmsTimer");
    AlarmsTimer->SetInterval(900);
    BeepTimer = new TTimer(this);
    BeepTimer->SetName("BeepTimer");
    BeepTimer->SetInterval(1000);
    BeepTimer->SetEnabled(false);

    Http = new THttpClient(this);
    Http->SetName("Http");
    Http->ProxyPort = "80";
    Http->Agent = "QEX 2000 (Kelvaro - ";
    Http->Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    Http->Reference = "-";
    Http->NoCache = true;
    Http->ModifiedSince = EncodeDate(1980, 12, 30);
    Http->ContentTypePost = "application/x-www-form-urlencoded";
    Http->LocalAddr = "0.0.0.0";
    Http->SetMultiThreaded(true);

    TVZ1 = new TGzip(this);
    TVZ1->SetName("TVZ1");
    TVZ1->DeleteSource = true;
    TVZ2 = new TUnTar(this);
    TVZ2->SetName("TVZ2");
    TVZ2->OverwriteMode = omReplace;
    TVZ2->CreateEmptyDir = true;
    CreateDownloadCommand();

    Tray = new TTrayIcon(this);
    Tray->SetName("Tray");
    Tray->SetActive(false);
    Tray->SetHint("QEX 2000");
    Tray->SetInterval(120);
    Tray->OnClick = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { TrayClick(s, b, sh, x, y); };
    Tray->Loaded();

    TVTanaanHotkey = new TGlobalHotKey(this);
    TVTanaanHotkey->SetName("TVTanaanHotkey");
    TVTanaanHotkey->OnHotKey = [this](TObject* sender) { TVTanaanHotkeyHotKey(sender); };
    TVTanaanHotkey->OnKeyTaken = [this](TObject* sender) { TVTanaanHotkeyKeyTaken(sender); };
    // Grabbing a key takes a display connection of its own and several round trips to the server:
    // the program's entry enables the key once the window has been drawn.
    TVTanaanHotkey->SetEnabled(false);
    Aanisoitto = new TMediaPlayer(this);
    Aanisoitto->SetName("Aanisoitto");
    S_Logot = new TImageList(this);
    S_Logot->SetName("S_Logot");
    DrawChannelIcons(*S_Logot);
}
