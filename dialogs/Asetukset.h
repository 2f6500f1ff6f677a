// TAsetuksetForm: the modal dialog in which the user changes every setting of "QEX.INI". The
// main window makes one for each use, chooses its page, shows it and frees it. Opening loads
// every control from the file; only OK writes, and then writes every key of its five pages;
// Escape and "&Poistu" close without writing. It also holds the editors of the keyword
// colourings and of the own views, and the reset of all settings. While it is open the main
// window's global hot key is off, so pressing that key here only sets the hot-key field.
#pragma once
#include "kit/DragDrop.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"

class TButton;
class TCheckBox;
class TColorComboBox;
class TComboBox;
class TComboEdit;
class TDualListDialog;
class TEdit;
class TFilenameEdit;
class TGlobalHotKey;
class THotKey;
class TKitCheckListBox;
class TKitSpeedButton;
class TLabel;
class TPageControl;
class TTabSheet;
class TUpDown;

class TAsetuksetForm : public TForm {
public:
    explicit TAsetuksetForm(TComponent* owner);

    // The page the dialog opens on, by its caption ("Yleiset" when the opener chooses none).
    void SetActivePage(const AnsiString& caption);

    // The main window's global hot key: off while the dialog is open, and given the new
    // shortcut code by OK.
    TGlobalHotKey* HotKey = nullptr;
    // After OK has written the settings and closed the dialog: the main window takes the new
    // lead time and refreshes its channel view, channel list and views menu.
    TNotifyEvent OnSaved;

    TPageControl* PageControl1 = nullptr;
    TTabSheet* YleisetSheet = nullptr;
    TTabSheet* HalytyksetSheet = nullptr;
    TTabSheet* KanavatSheet = nullptr;
    TTabSheet* VaritysSheet = nullptr;
    TTabSheet* NakymatSheet = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TDualListDialog* DualList = nullptr;

    // "Yleiset"
    TComboBox* MCBox1 = nullptr;
    THotKey* MuutEdit1 = nullptr;
    TEdit* MuutEdit2 = nullptr;
    TEdit* MuutEdit3 = nullptr;
    TCheckBox* MCB1 = nullptr;
    TCheckBox* MCB2 = nullptr;
    TCheckBox* MCB3 = nullptr;
    TCheckBox* MCB4 = nullptr;

    // "Hälytykset"
    TEdit* HalytysEdit3 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TListBox* HalytysTyypitList = nullptr;
    TCheckBox* ACB1 = nullptr;
    TEdit* HalytysEdit5 = nullptr;
    TUpDown* UpDown2 = nullptr;
    TFilenameEdit* HalytysEdit1 = nullptr;
    TFilenameEdit* HalytysEdit2 = nullptr;
    TCheckBox* ACB2 = nullptr;
    TListBox* HalytysLst4 = nullptr;
    TKitSpeedButton* SpeedButton6 = nullptr;
    TKitSpeedButton* SpeedButton5 = nullptr;
    TCheckBox* ACB3 = nullptr;

    // "Kanavat"
    TKitCheckListBox* KanavatList = nullptr;

    // "Väritys"
    TCheckBox* VCB1 = nullptr;
    TListBox* VarityksetList = nullptr;
    TKitSpeedButton* SpeedButton2 = nullptr;
    TKitSpeedButton* SpeedButton1 = nullptr;
    TEdit* VEdit = nullptr;
    TColorComboBox* VColorComboBox = nullptr;
    TButton* VariButton1 = nullptr;
    TButton* VariButton2 = nullptr;
    TButton* VariButton3 = nullptr;
    TColorComboBox* HalytysVari = nullptr;

    // "Näkymät"
    TListBox* NakymatList = nullptr;
    TKitSpeedButton* SpeedButton3 = nullptr;
    TKitSpeedButton* SpeedButton4 = nullptr;
    TEdit* NEdit = nullptr;
    TComboBox* NComboBox = nullptr;
    TComboEdit* NComboEdit = nullptr;
    TButton* NakButton1 = nullptr;
    TButton* NakButton2 = nullptr;
    TButton* NakButton3 = nullptr;
    TCheckBox* NCB1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void OkButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    // The reset of all settings; the main window runs it before showing the dialog.
    void Button10Click(TObject* Sender);

    // The colouring editor.
    void VariButton1Click(TObject* Sender);
    void VariButton2Click(TObject* Sender);
    void VariButton3Click(TObject* Sender);
    void VarityksetListClick(TObject* Sender);
    void VarityksetListDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void VEditChange(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);

    // The view editor.
    void NakButton1Click(TObject* Sender);
    void NakButton2Click(TObject* Sender);
    void NakButton3Click(TObject* Sender);
    void NakymatListClick(TObject* Sender);
    void NakymatChange(TObject* Sender);
    void NComboEditClick(TObject* Sender);
    void NComboEditKeyPress(TObject* Sender, char& Key);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton4Click(TObject* Sender);

    // The channel list's reordering by dragging, and the keywords of automatic alarms.
    void KanavatListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void KanavatListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void SpeedButton5Click(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);

private:
    // Building the pages (AsetuksetPages.cpp).
    void CreateControls();
    void CreateYleisetPage();
    void CreateHalytyksetPage();
    void CreateKanavatPage();
    void CreateVaritysPage();
    void CreateNakymatPage();
    void ConnectEvents();
    TTabSheet* AddSheet(const char* name, const AnsiString& caption);
    TLabel* AddLabel(TWinControl* parent, const AnsiString& caption, int left, int top, bool bold = false);
    TKitSpeedButton* AddSmallButton(TWinControl* parent, const char* name, int left, int top, int glyph);
    TButton* AddButton(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top);
    TCheckBox* AddCheckBox(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top);

    // Loading and writing the pages (Asetukset.cpp).
    void LoadHalytykset();
    void LoadYleiset();
    void LoadKanavat();
    void LoadVaritys();
    void LoadNakymat();
    void WriteSettings();

    // Shared by the two editors: exchanges the selected entry with its neighbour.
    static void MoveSelected(TListBox* list, int step);
    AnsiString ColouringFromFields() const;
    AnsiString ViewFromFields() const;
    bool ViewFieldsFilled() const;
    void SetColouringButtons(bool enabled);
    void SetViewButtons(bool enabled);

    // The notice type read when the dialog opened: written back when no entry of the list is
    // chosen, so a stored type that none of them names is kept.
    AnsiString FStoredNoticeType;
};
