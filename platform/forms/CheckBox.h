// TCheckBox: a check box. OnClick follows the user's clicks; Checked set from code is silent.
#pragma once
#include "platform/forms/WinControl.h"

class QCheckBox;

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    bool Checked() const;
    void SetChecked(bool checked);

private:
    QCheckBox* FBox;
    AnsiString FCaption;
};
