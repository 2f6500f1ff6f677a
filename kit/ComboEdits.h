// Edits with a small button inside their right edge. TComboEdit's button raises OnButtonClick
// (the settings dialog opens the channel chooser with it); TFilenameEdit's opens a file dialog,
// takes files dropped on it, and reads and writes its text as a file name: a name holding a
// blank is shown in double quotes, and reading takes the whole text when it names an existing
// file, else its first command-line token. DirectInput false blocks typing while the button and
// ClickKey (Alt+Down) still work; ReadOnly true blocks the button as well. The edit itself is a
// masked edit, so an EditMask shapes what can be typed.
#pragma once
#include "kit/CancelMode.h"
#include "kit/FileDialog.h"
#include "kit/SpeedButton.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/KeyCodes.h"
#include <memory>

QEX_EXCEPTION(EComboEditError, Exception);

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
enum TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };

class TCustomComboEdit;

// The button inside a combo edit: a speed button with the edit's left border lines.
class TEditButton : public TKitSpeedButton {
public:
    // Its hint shows as its edit's do; it is drawn in copies of its edit too.
    explicit TEditButton(TComponent* owner) : TKitSpeedButton(owner)
    {
        SetParentShowHint(true);
        SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    }
    void Click() override;

    TCustomComboEdit* Edit = nullptr;

protected:
    void Paint(QPainter& painter) override;
    void mouse_press(const QMouseEvent& event) override;

private:
    bool FNoAction = false;
};

class TCustomComboEdit : public TMaskEdit, public TCancelModeTarget {
public:
    explicit TCustomComboEdit(TComponent* owner);
    ~TCustomComboEdit() override;

    // The combo's own flag; the edit itself is read-only also while DirectInput is false.
    bool ReadOnly() const { return GetReadOnly(); }
    void SetReadOnly(bool readOnly);
    bool DirectInput() const { return FDirectInput; }
    void SetDirectInput(bool directInput);
    TShortCut ClickKey() const { return FClickKey; }
    void SetClickKey(TShortCut key) { FClickKey = key; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TGlyphKind GlyphKind() const { return FGlyphKind; }
    void SetGlyphKind(TGlyphKind kind);
    const TBitmap& Glyph() const { return FButton->Glyph(); }
    // Makes the glyph the edit's own (gkCustom).
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int count);
    int ButtonWidth() const { return FButtonWidth; }
    // A width at or above the client width is refused; below 2 hides the button.
    void SetButtonWidth(int width);
    AnsiString ButtonHint() const { return FButton->Hint(); }
    void SetButtonHint(const AnsiString& hint) { FButton->SetHint(hint); }
    TEditButton* Button() const { return FButton; }
    bool ButtonShown() const;

    // The button's click: runs ButtonClick unless ReadOnly.
    void EditButtonClick();
    // Raises OnButtonClick, then opens or closes the drop-down popup when there is one.
    virtual void ButtonClick();
    bool PopupVisible() const { return FPopupVisible; }
    // Closes the popup, taking its value when `accept`.
    void PopupCloseUp(bool accept);

    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool enabled) override;
    // Another control is about to open something: the popup closes without taking its value.
    void CancelMode(TControl* sender) override;

    TNotifyEvent OnButtonClick;

protected:
    // The glyph of gkDefault; nullptr when the edit has none.
    virtual const TBitmap* GetDefaultBitmap() { return nullptr; }
    virtual void PopupDropDown(bool disableEdit);
    virtual void ShowPopup(TPoint origin);
    virtual void HidePopup();
    virtual bool AcceptPopup(const AnsiString& value) { (void)value; return true; }
    virtual void AcceptValue(const AnsiString& value);
    virtual void SetPopupValue(const AnsiString& value) { (void)value; }
    virtual AnsiString GetPopupValue() { return Text(); }
    virtual void PopupChange() {}
    // What ReadOnly reads; an edit whose button works even when read-only answers false.
    virtual bool GetReadOnly() const { return FReadOnly; }
    bool widget_event(QObject* watched, QEvent* event) override;
    // Text the user cannot type over is not selected on entry.
    bool SelectsOnEntry() const override { return TMaskEdit::SelectsOnEntry() && FDirectInput; }
    void font_changed() override;
    void resize_event() override;

    // A drop-down window of a derived edit; none in the program.
    TWinControl* FPopup = nullptr;
    bool FConstructing = true;

private:
    void UpdateEditReadOnly();
    void PlaceButton();
    void SetEditRect();
    void RecreateGlyph();
    void UpdateCaretWidth();

    TWinControl* FContainer = nullptr;
    TEditButton* FButton = nullptr;
    bool FReadOnly = false;
    bool FDirectInput = true;
    TShortCut FClickKey = scAlt | VK_DOWN;
    TAlignment FAlignment = taLeftJustify;
    TGlyphKind FGlyphKind = gkCustom;
    int FButtonWidth = 21;
    bool FPopupVisible = false;
};

class TComboEdit : public TCustomComboEdit {
public:
    explicit TComboEdit(TComponent* owner) : TCustomComboEdit(owner) { FConstructing = false; }
};

using TExecOpenDialogEvent = std::function<void(TObject* Sender, AnsiString& Name, bool& Action)>;

class TFileDirEdit : public TCustomComboEdit {
public:
    explicit TFileDirEdit(TComponent* owner);

    // Takes files dropped from the desktop.
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool accept);
    AnsiString LongName() { return GetLongName(); }
    AnsiString ShortName() { return GetShortName(); }
    // What files dropped from the desktop do: each name goes to AcceptDroppedName (only the first
    // unless several are allowed), then OnDropFiles.
    void DropFiles(const std::vector<AnsiString>& names);

    TExecOpenDialogEvent OnBeforeDialog;
    TExecOpenDialogEvent OnAfterDialog;
    TNotifyEvent OnDropFiles;

protected:
    virtual AnsiString GetLongName() = 0;
    virtual AnsiString GetShortName() = 0;
    virtual void AcceptDroppedName(const AnsiString& name) = 0;
    virtual void ClearFileList() {}
    const TBitmap* GetDefaultBitmap() override;
    bool widget_event(QObject* watched, QEvent* event) override;
    // Several dropped files are taken (the dialog allows multiple selection).
    bool FMultipleFiles = false;

private:
    bool FAcceptFiles = false;
};

class TFilenameEdit : public TFileDirEdit {
public:
    explicit TFilenameEdit(TComponent* owner);

    // The text as a file name (see the top of this file). Writing raises EComboEditError
    // "Invalid file name - <value>" for a name that IsValidFileName refuses, and changes nothing.
    AnsiString FileName() const;
    void SetFileName(const AnsiString& value);

    TFileDialogKind DialogKind() const { return FDialogKind; }
    void SetDialogKind(TFileDialogKind kind);
    TOpenDialog* Dialog() const { return FDialog.get(); }
    const AnsiString& DefaultExt() const { return FDialog->DefaultExt; }
    void SetDefaultExt(const AnsiString& ext) { FDialog->DefaultExt = ext; }
    TFileEditStyle FileEditStyle() const { return FDialog->FileEditStyle; }
    void SetFileEditStyle(TFileEditStyle style) { FDialog->FileEditStyle = style; }
    const AnsiString& Filter() const { return FDialog->Filter; }
    void SetFilter(const AnsiString& filter) { FDialog->Filter = filter; }
    int FilterIndex() const { return FDialog->FilterIndex; }
    void SetFilterIndex(int index) { FDialog->FilterIndex = index; }
    const AnsiString& InitialDir() const { return FDialog->InitialDir; }
    void SetInitialDir(const AnsiString& folder) { FDialog->InitialDir = folder; }
    TStringList* HistoryList() const { return &FDialog->HistoryList; }
    TOpenOptions DialogOptions() const { return FDialog->Options; }
    void SetDialogOptions(TOpenOptions options);
    const AnsiString& DialogTitle() const { return FDialog->Title; }
    void SetDialogTitle(const AnsiString& title) { FDialog->Title = title; }

    void ButtonClick() override;

protected:
    AnsiString GetLongName() override;
    AnsiString GetShortName() override;
    void AcceptDroppedName(const AnsiString& name) override;
    void ClearFileList() override;

private:
    TFileDialogKind FDialogKind = dkOpen;
    std::unique_ptr<TOpenDialog> FDialog;
};

// The name a file-name text stands for: the whole text when it names an existing file, else its
// first command-line token.
AnsiString ClipFilename(const AnsiString& text);
// A name holding a blank, not already in double quotes, wrapped in them.
AnsiString QuoteFilename(const AnsiString& name);
// Shows a stored name through FileName; a name that the check refuses is shown as it is (quoted
// when it holds a blank), so that FileName still gives it back whole.
void ShowFileName(TFilenameEdit* edit, const AnsiString& name);
// The ellipsis glyph for a button of this width.
TBitmap EllipsisBitmap(int buttonWidth);
