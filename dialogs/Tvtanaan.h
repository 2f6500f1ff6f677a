// TTVTanaanForm: the small stay-on-top window of what is on now and next on every channel, with
// the description of the chosen line below. Made at start-up and kept for the whole run; the
// main window's hot key fills its lists and shows it, the alarm clock writes the time into its
// caption. Escape or Enter closes it; closing stores its place, size and split in "QEX.INI".
#pragma once
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"

class TPanel;
class TRichEdit;
class TSplitter;
class TTrayIcon;

class TTVTanaanForm : public TForm {
public:
    explicit TTVTanaanForm(TComponent* owner);

    TPanel* Panel1 = nullptr;
    // Programme lines of the what-is-on-now builder; the hidden list holds the description of
    // each line at the same index.
    TListBox* Ohjelmat = nullptr;
    TListBox* Keski_Ohjelmainfot = nullptr;
    TSplitter* Splitter = nullptr;
    TRichEdit* Keski_Infoedit = nullptr;

    // The main window's notification-area icon: while it is active the program has no taskbar
    // button, and closing this window must not bring one back.
    TTrayIcon* Tray = nullptr;

    // The hot key's opening, in its order: the lists emptied, then filled by the caller; the
    // place, size and split from the settings; then shown above every window with its first
    // line chosen.
    void ClearLists();
    void RestorePlacement();
    void ShowOnTop();

    // The splitter's top within the panel, as stored; setting it sizes the information pane,
    // which keeps at least its minimum height.
    int SplitPosition() const;
    void SetSplitPosition(int top);

    void OhjelmatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void OhjelmatClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormClose(TObject* Sender, TCloseAction& Action);

private:
    void CreateControls();
    void ApplySplit(int top);
    void ApplyWantedSplit();
    bool InTray() const;
    void SavePlacement();

    // The split asked for while hidden, set again as the window shows and gets its frame; -1 for
    // none.
    int FWantedSplit = -1;
    // The outer height asked for meanwhile: once the framed window has it, the frame is there.
    int FWantedHeight = 0;
};

// The one instance, made by the program's entry; nullptr until then (and in tests that don't
// make it), so writers of its caption look first.
extern TTVTanaanForm* TVTanaanForm;
