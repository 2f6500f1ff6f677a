// TDatePicker: a date field with a drop-down calendar, shown in the short date format "d.m.yyyy".
// The forms layer has no date picker; this one offers what the alarm dialog needs. A date below
// the lower bound is shown as the bound, as the picker never offers it.
#pragma once
#include "platform/core/DateTime.h"
#include "platform/forms/WinControl.h"

class QDateEdit;

class TDatePicker : public TWinControl {
public:
    explicit TDatePicker(TComponent* owner);

    // The picked day at 00:00.
    TDateTime Date() const;
    void SetDate(TDateTime date);
    TDateTime MinDate() const;
    // Only the day counts; a picked date below it moves up to it.
    void SetMinDate(TDateTime date);

private:
    QDateEdit* FEdit;
};
