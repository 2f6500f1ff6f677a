// TDateTimePicker: a date field with a drop-down calendar, the date kind of the class library's
// picker, shown in the short date format ("d.m.yyyy"). The user's change of the date raises
// OnChange; a date set from code does not.
#pragma once
#include "platform/core/DateTime.h"
#include "platform/forms/WinControl.h"

class QDateEdit;

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);

    // The picked day at 00:00 (today when the picker is made).
    TDateTime Date() const;
    // A date outside MinDate..MaxDate moves to the nearer bound: the class library raises here,
    // which would leave a dialog half filled.
    void SetDate(TDateTime date);
    // The days offered; 0 is no bound and only the day counts. A minimum above the maximum
    // moves the maximum up to it, and the other way round.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime date);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime date);

    TNotifyEvent OnChange;

private:
    QDateEdit* FEdit;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
};
