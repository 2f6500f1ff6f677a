// TDualListDialog: lets the user split strings between two lists in a modal window. Execute
// returns true when the user closed it with OK; only then do List1 (left) and List2 (right)
// take the window's lists, in their order there. A cancelled run leaves them as they were.
#pragma once
#include "platform/core/Component.h"
#include "platform/core/Strings.h"

class TDualListDialog : public TComponent {
public:
    explicit TDualListDialog(TComponent* owner);

    bool Execute();

    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool ctl3D) { FCtl3D = ctl3D; }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted) { FSorted = sorted; }
    // The window's caption when not empty.
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& title) { FTitle = title; }
    // Captions above the lists; empty keeps the window's own.
    const AnsiString& Label1Caption() const { return FLabel1Caption; }
    void SetLabel1Caption(const AnsiString& caption) { FLabel1Caption = caption; }
    const AnsiString& Label2Caption() const { return FLabel2Caption; }
    void SetLabel2Caption(const AnsiString& caption) { FLabel2Caption = caption; }
    // Button captions, given to the buttons also when empty.
    const AnsiString& OkBtnCaption() const { return FOkBtnCaption; }
    void SetOkBtnCaption(const AnsiString& caption) { FOkBtnCaption = caption; }
    const AnsiString& CancelBtnCaption() const { return FCancelBtnCaption; }
    void SetCancelBtnCaption(const AnsiString& caption) { FCancelBtnCaption = caption; }
    const AnsiString& HelpBtnCaption() const { return FHelpBtnCaption; }
    void SetHelpBtnCaption(const AnsiString& caption) { FHelpBtnCaption = caption; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int context) { FHelpContext = context; }
    bool ShowHelp() const { return FShowHelp; }
    void SetShowHelp(bool show) { FShowHelp = show; }

    TStringList* List1() { return &FList1; }
    void SetList1(const TStrings& strings) { FList1.Assign(strings); }
    TStringList* List2() { return &FList2; }
    void SetList2(const TStrings& strings) { FList2.Assign(strings); }

private:
    bool FCtl3D = true;
    bool FSorted = false;
    AnsiString FTitle;
    AnsiString FLabel1Caption;
    AnsiString FLabel2Caption;
    AnsiString FOkBtnCaption;
    AnsiString FCancelBtnCaption;
    AnsiString FHelpBtnCaption;
    int FHelpContext = 0;
    bool FShowHelp = true;
    TStringList FList1;
    TStringList FList2;
};
