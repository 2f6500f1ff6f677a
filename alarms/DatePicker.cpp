#include "alarms/DatePicker.h"
#include <QDateEdit>

namespace {

QDate ToQDate(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return QDate(year, month, day);
}

TDateTime FromQDate(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), date.day());
}

} // namespace

TDatePicker::TDatePicker(TComponent* owner) : TWinControl(owner), FEdit(new QDateEdit())
{
    SetWidget(FEdit);
    SetColor(clWindow);
    FEdit->setCalendarPopup(true);
    FEdit->setDisplayFormat("d.M.yyyy");
    FEdit->setDate(ToQDate(ClockNow()));
    FEdit->resize(186, 21);
}

TDateTime TDatePicker::Date() const
{
    return FromQDate(FEdit->date());
}

void TDatePicker::SetDate(TDateTime date)
{
    QDate day = ToQDate(date);
    FEdit->setDate(day < FEdit->minimumDate() ? FEdit->minimumDate() : day);
}

TDateTime TDatePicker::MinDate() const
{
    return FromQDate(FEdit->minimumDate());
}

void TDatePicker::SetMinDate(TDateTime date)
{
    FEdit->setMinimumDate(ToQDate(date));
}
