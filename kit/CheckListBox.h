// TKitCheckListBox: a kit list box with a check box, radio button or check mark beside every
// item. Items carry a state (unchecked, checked, grayed) and an enabled flag; Space toggles the
// current item, "+" and "-" check or uncheck every enabled one, a click in the check column
// toggles that item. A radio list keeps at most one item checked (exactly one after Loaded).
// Linked to a form placement (IniStorage), it saves and loads the states with it. A bad index
// raises EStringListError "List index out of bounds (%d)".
#pragma once
#include "kit/KitListBox.h"
#include "kit/Placement.h"
#include "platform/core/Filer.h"

enum TCheckKind { ckCheckBoxes, ckRadioButtons, ckCheckMarks };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using TChangeStateEvent = std::function<void(TObject* Sender, int Index)>;

class TKitCheckListBox;

// Moving or exchanging items carries their states along.
class TCheckListBoxStrings : public TKitListBoxStrings {
public:
    explicit TCheckListBoxStrings(TKitCheckListBox* listBox);
    void Exchange(int a, int b) override;
    void Move(int from, int to) override;
    TKitCheckListBox* CheckList() const { return FCheckList; }

private:
    TKitCheckListBox* FCheckList;
};

class TKitCheckListBox : public TKitCustomListBox {
public:
    explicit TKitCheckListBox(TComponent* owner);

    // Reads false for radio buttons.
    bool AllowGrayed() const { return FAllowGrayed && FCheckKind != ckRadioButtons; }
    void SetAllowGrayed(bool allow) { FAllowGrayed = allow; }
    TCheckKind CheckKind() const { return FCheckKind; }
    void SetCheckKind(TCheckKind kind);
    // Radio buttons: the first checked item, else -1. Writing checks item max(value, 0); an index
    // past the list raises.
    int CheckedIndex() const;
    void SetCheckedIndex(int index);

    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState state);
    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool checked) { SetState(index, checked ? cbChecked : cbUnchecked); }
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);
    // Not for radio buttons.
    void ApplyStateToAll(TCheckBoxState state, bool enabledOnly);
    // The user's toggle of an enabled item: unchecked, (grayed,) checked, unchecked...
    void ToggleClickCheck(int index);
    // A radio list with items gets one checked item.
    void UpdateCheckStates();
    // Called once the list is filled, as after a form is read.
    void Loaded() { UpdateCheckStates(); }

    TFormPlacement* IniStorage() const { return FIniLink.IniStorage(); }
    void SetIniStorage(TFormPlacement* storage) { FIniLink.SetIniStorage(storage); }

    // From another check list's items the states and enabled flags come along.
    void SetItems(const TStrings& source) override;
    void TakeItemState(int index, TKitCustomListBox& source, int sourceIndex) override;
    // In a form stream: "InternalVersion" (only without an ancestor) and "Strings", each item's
    // text, state and enabled flag, when they differ from the ancestor's items. Reading raises
    // no OnStateChange and leaves a radio list with one checked item.
    void DefineProperties(TFiler& filer) override;

    // The width of the check column beside every item.
    static constexpr int CheckColumnWidth() { return 18; }

    TNotifyEvent OnClickCheck;
    TChangeStateEvent OnStateChange;

protected:
    virtual void ClickCheck();
    virtual void StateChange(int index);
    std::unique_ptr<TStrings> CreateItemList() override;
    int GetItemWidth(int index) override;
    int GetItemHeight() override;
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    // The check column stands on the side where reading starts.
    void AdjustItemRect(TRect& rect) override;
    void mouse_down(TMouseButton button, TShiftState shift, int x, int y) override;
    bool key_press(char key) override;

private:
    friend class TCheckListBoxStrings;
    void StoreState(int index, TCheckBoxState state);
    void ReadStrings(TReader& reader);
    void WriteStrings(TWriter& writer);
    bool StringsDiffer(const TPersistent* ancestor);
    void DrawCheck(const TRect& column, TCheckBoxState state, bool enabled);
    void SaveStates();
    void LoadStates();
    AnsiString StorageSection() const;

    bool FAllowGrayed = false;
    TCheckKind FCheckKind = ckCheckBoxes;
    bool FUpdatingStates = false;
    // The version of the stream being read; older streams hold a checked flag per item.
    int FStreamVersion = 0;
    bool FReading = false;
    TIniLink FIniLink;
};
