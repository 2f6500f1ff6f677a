// TMainForm: the program's one main window and its shared state. The other subsystems reach its
// controls and fields directly, as the class library's units would. Its handlers live in several
// files: MainForm.cpp (the controls), MainMenus.cpp (menus), MainStartup.cpp (create, show,
// resize, close), MainChannelView.cpp (channel view, day and week), MainViews.cpp (own views, the
// alarm view and what is on now), MainMarks.cpp (the marks on the programme list), MainDrawing.cpp
// (owner drawing), MainKeys.cpp (keys and mouse), MainCommands.cpp (menu commands), MainLinks.cpp
// (the browser's links and its context menu), MainSearch.cpp (the search commands), MainTray.cpp
// (hiding to the tray and coming back); the download, the hot key and the alarms are named where
// their members are declared below.
#pragma once
#include "dialogs/RichEditLines.h"
#include "platform/core/StringGrid.h"
#include "platform/core/Strings.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"
#include "alarms/AlarmSchedule.h"
#include "listings/ProgrammeRow.h"
#include <deque>
#include <memory>

class TBrowserHost;
class TGlobalHotKey;
class THttpClient;
class TGzip;
class TImageList;
class TListView;
class TListItem;
class TListColumn;
class TMainMenu;
class TMediaPlayer;
class TMenuItem;
class TPageScroller;
class TPanel;
class TPopupMenu;
class TRichEdit;
class TSplitter;
class TStatusBar;
class TTabControl;
class TTimer;
class TTrayIcon;
class TUnTar;
struct AlarmKey;
struct AlarmRow;
struct ProgrammeChoice;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    // Controls (made by the constructor, owned by the form).
    TMainMenu* Mainmenu = nullptr;
    TMenuItem* MM_Tietojenetsinta = nullptr;
    TMenuItem* MM_AloitaHaku = nullptr;
    TMenuItem* MM_Etsiohjelmiatallennetuistatiedoista = nullptr;
    TMenuItem* MM_EtsiIMDB = nullptr;
    TMenuItem* Pienennohjelmatykaluriville1 = nullptr;
    TMenuItem* fg1 = nullptr;
    TMenuItem* Suljeohjelma1 = nullptr;
    TMenuItem* MM_Paiva = nullptr;
    TMenuItem* MM_Tanaan = nullptr;
    TMenuItem* MM_D[15] = {}; // MM_D1 .. MM_D14 at 1 .. 14
    TMenuItem* MM_PaivaPalkkiOn = nullptr;
    TMenuItem* MM_Nakyma = nullptr;
    TMenuItem* MM_Normaali = nullptr;
    TMenuItem* Tulostus1 = nullptr;
    TMenuItem* Valitunpivntiedot141 = nullptr;
    TMenuItem* Hlytykset1 = nullptr;
    TMenuItem* MM_Asetukset = nullptr;
    TMenuItem* MM_Muutasetukset = nullptr;
    TMenuItem* MM_Halytysasetukset = nullptr;
    TMenuItem* MM_Kanavaasetukset = nullptr;
    TMenuItem* MM_Varitysasetukset = nullptr;
    TMenuItem* MM_Nakymat = nullptr;
    TMenuItem* MM_Olestusasetukset = nullptr;
    TMenuItem* TyhjennTVohjelmatiedostojenhakemisto1 = nullptr;
    TMenuItem* MM_Ohjeet = nullptr;
    TMenuItem* MM_Ohjelmanpikanappaimet = nullptr;
    TMenuItem* MM_Ohjelmasta = nullptr;

    TPopupMenu* Kanavat_PopupMenu = nullptr;
    TMenuItem* Kanavat_EtsiKanavanTiedoista = nullptr;
    TPopupMenu* InfoEdit_PopupMenu = nullptr;
    TMenuItem* InfoEdit_Kopioivalittutekstileikepoydalle = nullptr;
    TMenuItem* InfoEdit_EtsiIMDB = nullptr;
    TPopupMenu* Ohjelmat_PopupMenu = nullptr;
    TPopupMenu* PopupMenu_Alarms = nullptr;

    TPanel* V_Panel = nullptr;
    TPageScroller* V_Scroller = nullptr;
    TListBox* V_Kanavat = nullptr;
    TListBox* V_Muut = nullptr;
    TPanel* KeskiPanel = nullptr;
    TPanel* ViikotPanel = nullptr;
    TTabControl* ViikotTabs = nullptr;
    TTabControl* ViikonPaivatTabs = nullptr;
    TPanel* ListatPanel = nullptr;
    TListBox* Ohjelmat = nullptr;
    TListBox* Keski_Ohjelmainfot = nullptr;
    TListView* Alarmlist = nullptr;
    TBrowserHost* WWW = nullptr;
    TSplitter* Jakaja = nullptr;
    TRichEdit* TiedotText = nullptr;
    TStatusBar* StatusPanel = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* AlarmsTimer = nullptr;
    TTimer* BeepTimer = nullptr;
    THttpClient* Http = nullptr;
    TGzip* TVZ1 = nullptr;
    TUnTar* TVZ2 = nullptr;
    TTrayIcon* Tray = nullptr;
    TGlobalHotKey* TVTanaanHotkey = nullptr;
    TMediaPlayer* Aanisoitto = nullptr;
    TImageList* S_Logot = nullptr;

    // State shared with the other subsystems.
    AnsiString CurrentChannel;
    AnsiString CurrentDate;      // the shown TV day, "d.m.yyyy"
    AnsiString CurrentDayName;
    int CurrentDayIndex = 0;     // Monday = 1
    bool SearchMode = false;     // search results fill the programme list
    RowLayout ProgrammeLayout = RowLayout::Channel; // what filled the programme list
    int MinutesBefore = 0;
    int CurrentWeek = 0;         // 0 this week, 1 next week
    int WeekDayTab0 = 0;
    int WeekDayTab1 = 0;
    int BeepsLeft = 0;
    bool Downloading = false;
    bool AlarmEditing = false;
    std::unique_ptr<TStringGrid> ListingGrid;
    // The channel view or an own view: a view of the chosen day, which the day menu, F6, the
    // five-minute refresh and the day turn act on. False while the alarm view, the
    // what-is-on-now view or search results fill the window.
    bool DayViewShown() const;

    // The lines of the listing being shown or searched, and the 15 dates of the day bar.
    TStringList DayLines;
    TStringList WeekDates;
    // True from the create handler until the first show.
    bool FirstShow = false;

    // Start-up and shutdown.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // Channel view, day and week.
    void V_KanavatClick(TObject* Sender);
    void MM_NormaaliClick(TObject* Sender);
    void ViikkoChange(TObject* Sender);
    void ViikonPaivaChange(TObject* Sender);
    void DayMenuClick(TObject* Sender);
    void MM_TanaanClick(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    // The calendar follows the clock when the TV day has turned since it was built
    // (MainDayTurn.cpp): week dates, week tabs, day menu and the shown day, as at start-up.
    void FollowTvDay();
    // The channel view or the own view drawn again for the chosen day, as after a change of the
    // day or of the alarms; other views stay as they are.
    void RefreshDayView();
    void OhjelmatClick(TObject* Sender);

    // The download command (F7) and the progress of its package (MainDownload.cpp).
    void MM_AloitaHakuClick(TObject* Sender);
    void HttpDocData(TObject* Sender, const void* Buffer, int Len);

    // Own views, the alarm view and the what-is-on-now view.
    void NakymatClick(TObject* Sender);
    void V_MuutClick(TObject* Sender);
    // The browser of the table views: programme links are cancelled, the context menu suppressed.
    void WWWBeforeNavigate2(TObject* Sender, void* pDisp, const AnsiString& URL, int Flags,
                            const AnsiString& TargetFrameName, const AnsiString& PostData,
                            const AnsiString& Headers, bool& Cancel);
    std::int32_t WWWShowContextMenu(std::uint32_t dwID, TPoint* ppt, void* pcmdtReserved, void* pdispReserved);

    // The search in the stored listings (F3) and the IMDb look-up (F2).
    void MM_EtsiohjelmiatallennetuistatiedoistaClick(TObject* Sender);
    void MM_EtsiIMDBClick(TObject* Sender);

    // Drawing, keys and the mouse.
    void OhjelmatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void V_ListatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void MM_OhjelmanpikanappaimetClick(TObject* Sender);
    void OhjelmatMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void V_KanavatMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void V_KanavatMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void V_MuutMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Marks on the programme list and the lists filled from the settings.
    void MarkCurrentProgramme(bool useToday);
    void RemovePastProgrammes();
    void MarkAlarmedProgrammes();
    void LoadChannelList();
    void BuildViewsMenu();

    // Menu commands used at start-up and by the keys.
    void MM_PaivaPalkkiOnClick(TObject* Sender);
    void MM_AsetuksetClick(TObject* Sender);
    void MM_OhjelmastaClick(TObject* Sender);
    // The print commands: the print form prepares the shown day or the alarm list, then shows it.
    void Valitunpivntiedot141Click(TObject* Sender);
    void Hlytykset1Click(TObject* Sender);
    void Suljeohjelma1Click(TObject* Sender);
    void InfoEdit_KopioivalittutekstileikepoydalleClick(TObject* Sender);
    void TyhjennTVohjelmatiedostojenhakemisto1Click(TObject* Sender);
    void EmptyKeyHandler(TObject* Sender);

    // The notification area: minimising with Ctrl (or always, by the setting), F8, the hidden
    // start, and the click on the icon that brings the window back.
    void AppMinimize(TObject* Sender);
    void Pienennohjelmatykaluriville1Click(TObject* Sender);
    void TrayClick(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // Hides the window into the notification area; where the desktop has none the window is
    // only minimised, so it can always be reached again.
    void HideToTray();
    // Brings the window before the user from wherever it is (the notification area, the taskbar,
    // under other windows): a later copy started on the same folder asks for it.
    void ComeForward();
    // True while the window is out of the user's sight: in the notification area, or, where the
    // desktop has none, minimised to the taskbar instead.
    bool OutOfSight() const;
    // The global hot key (MainHotKey.cpp): the TV-today window while the main window is out of
    // sight, the what-is-on-now view otherwise; a key another program holds is told once.
    void TVTanaanHotkeyHotKey(TObject* Sender);
    void TVTanaanHotkeyKeyTaken(TObject* Sender);

    // The alarm list as rows, and the keys the programme marks compare.
    std::vector<AlarmRow> AlarmRows() const;
    TListItem* AddAlarmRow(const AlarmRow& row);
    std::vector<AlarmKey> AlarmKeys() const;
    // Replaces "QEX.ALS" with the list, the one way every command keeps its change in the file.
    void SaveAlarmList();
    // Writes the clock's removals, once for all the rows of a look, before any of them fires.
    // Quiet where start-up couldn't read the file (no command of the user's asked for it); a
    // failed write is told and the firing goes on.
    void SaveAlarmRemovals();

    // The alarm list's commands and its pop-up menus (MainAlarmList.cpp), the programme list's
    // add commands (MainAlarmAdd.cpp), the alarm clock and the beeps (MainAlarmClock.cpp).
    TMenuItem* PMenu_Poistahalytys = nullptr;
    TMenuItem* PMenu_Testaahalytyst = nullptr;
    TMenuItem* PMenu_Muokkaahalytyst = nullptr;
    TMenuItem* PMenu_Tyhjennahalytyslista = nullptr;
    TMenuItem* Ohjelmat_Lishlytyksiin1 = nullptr;
    TMenuItem* Lishlytyksiinvalitutasetukset1 = nullptr;
    TMenuItem* Ohjelmat_LisaaAutomaattisiin = nullptr;
    // The alarm list's sort key: -1 until the first sort; a sort by column 0 is kept as 2.
    int AlarmSortColumn = -1;
    void PopupMenu_AlarmsPopup(TObject* Sender);
    void PMenu_PoistahalytysClick(TObject* Sender);
    void PMenu_TestaahalytystClick(TObject* Sender);
    void PMenu_MuokkaahalytystClick(TObject* Sender);
    void PMenu_TyhjennahalytyslistaClick(TObject* Sender);
    void Ohjelmat_PopupMenuPopup(TObject* Sender);
    void Ohjelmat_Lishlytyksiin1Click(TObject* Sender);
    void Lishlytyksiinvalitutasetukset1Click(TObject* Sender);
    void Ohjelmat_LisaaAutomaattisiinClick(TObject* Sender);
    void AlarmlistClick(TObject* Sender);
    // The one refresh of the sort order and the countdowns.
    void AlarmlistColumnClick(TObject* Sender, TListColumn* Column);
    void AlarmlistCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
    void fg1Click(TObject* Sender);
    void AlarmsTimerTimer(TObject* Sender);
    void BeepTimerTimer(TObject* Sender);

private:
    void CreateMenus();
    void CreateControls();
    void CreateComponents();
    void CreateDownloadCommand();
    void CreateSearchCommands();
    // Adds the hits of one listing file; false when another view was chosen meanwhile.
    bool SearchListingFile(const AnsiString& path, const AnsiString& foldedText);
    bool FSearching = false;
    void ReadWindowSettings();
    void GuardOversize();
    void LoadAlarmFile();
    // True once the alarm file was read into the list; the file is written or deleted only then.
    bool FAlarmsLoaded = false;
    // False, after telling the user, when start-up couldn't read the alarm file.
    bool AlarmFileMayChange();
    void FillWeekTabsAndDayMenu();
    // The TV day "d.m.yyyy" the week dates were built for; empty until start-up builds them.
    AnsiString FCalendarTvDay;
    void SaveWindowSettings();
    void FillNowOnAir();
    void ShowOwnView(const AnsiString& layout, const TStrings& channels);
    // The day "d.m.yyyy" ListingGrid was built for: the day its page shows and its links name.
    AnsiString FListingGridDate;
    // Programme list and its descriptions emptied together.
    void ClearProgrammes();
    void AddProgramme(const AnsiString& line, const AnsiString& description);
    void ClickOwnView(TMenuItem* item);
    void StepDay(int step);
    void StepChannel(int step);
    void SelectChannelUnderPointer(TListBox* list, int X, int Y);
    bool NormalViewChecked() const;
    // The what-is-on-now fill stops when another view is chosen meanwhile.
    int FViewGeneration = 0;
    // Fills and shows the TV-today window; FFillingTvToday is set meanwhile.
    void ShowTvToday();
    bool FFillingTvToday = false;
    bool FHotKeyTakenTold = false;
    // Menu items, events and the sound outputs of the alarm units.
    void CreateAlarmCommands();
    void ShowClock(TDateTime now);
    // Selects the row an edit left (null when none) and shows it in the information pane.
    void ShowEditedAlarm(TListItem* item);
    // Fires what is due and lists what was missed; also run when an alarm dialog closes.
    void LookAtAlarms();
    AlarmSchedule FAlarmSchedule;
    // Rows a look took out of the list and the file that have yet to fire, in firing order.
    std::deque<AlarmRow> FAlarmsToFire;
    void FireWaitingAlarms();
    // Keeps a beep tick from running inside itself through the nested loop of a tune.
    bool FBeepTickRunning = false;
    // What the programme list's pop-up menu offered as it opened: its items act on that, though
    // the day turn or a jump redraws the list while the menu is open. The first item to run takes
    // it; other callers get the list as it stands.
    std::shared_ptr<const ProgrammeChoice> FMenuChoice;
    ProgrammeChoice ChoiceFor(TObject* Sender);
};

// The one main window, assigned before its create handler runs.
extern TMainForm* MainForm;
