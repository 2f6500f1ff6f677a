// TComboBox: a drop-down list, with an edit (csDropDown) or without (csDropDownList), or an
// edit with its list always shown under it (csSimple). The user's choice or typing raises
// OnChange; ItemIndex set from code does not.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/WinControl.h"
#include <memory>

class QComboBox;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    // -1 when nothing is chosen; an index outside the list chooses nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    AnsiString Text() const;
    void SetText(const AnsiString& text);

    TNotifyEvent OnChange;

private:
    QComboBox* FCombo;
    std::unique_ptr<TStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
};
