// TOpenDialog and TSaveDialog: the file dialogs, run through the one modal path. The window shows
// the folder browser of the desktop's toolkit (its texts put into Finnish), a file-name edit and the buttons "&Avaa" (or
// "&Tallenna") and "Peruuta", so that a test's modal handler can fill the edit and press a button.
// Filters are written as the class library writes them: "Text (*.txt)|*.txt|All|*.*".
#pragma once
#include "platform/core/Component.h"
#include "platform/core/Strings.h"
#include "platform/forms/Set.h"

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
    ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
    ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
    ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;
enum TFileEditStyle { fsEdit, fsComboBox };

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

    // True when the user chose a file; FileName (and Files) then hold the full path(s).
    virtual bool Execute();
    // Copies every setting of another dialog.
    void AssignSettings(const TOpenDialog& other);

    AnsiString DefaultExt;
    AnsiString FileName;
    AnsiString Filter;
    // From 1.
    int FilterIndex = 1;
    AnsiString InitialDir;
    AnsiString Title;
    TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
    TFileEditStyle FileEditStyle = fsEdit;
    TStringList HistoryList;
    TStringList Files;
    int HelpContext = 0;

    virtual bool SaveDialog() const { return false; }
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool SaveDialog() const override { return true; }
};

// The picture dialogs of the class library; here without a preview.
class TOpenPictureDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
};

class TSavePictureDialog : public TSaveDialog {
public:
    using TSaveDialog::TSaveDialog;
};
