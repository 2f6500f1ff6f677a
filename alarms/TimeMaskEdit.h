// TTimeMaskEdit: the one masked edit of the program, the alarm time "!90:00;1;_" (see TimeMask).
// The forms layer has no mask edit; this one knows only that mask.
#pragma once
#include "alarms/TimeMask.h"
#include "platform/forms/WinControl.h"

class TimeMaskLineEdit;

class TTimeMaskEdit : public TWinControl {
public:
    explicit TTimeMaskEdit(TComponent* owner);

    // " 9:30", "12:00", "  :  " when nothing is typed.
    AnsiString Text() const;
    void SetText(const AnsiString& text);
    // As shown, with '_' in the empty places.
    AnsiString EditText() const;
    // Every required digit is there.
    bool Complete() const;

private:
    TimeMaskLineEdit* FEdit;
};
