#include "platform/forms/DateTimePicker.h"
#include <QDateEdit>
#include <QSignalBlocker>
#include <algorithm>
#include "platform/core/Clock.h"
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

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

// The class library's date format letters as Qt's: only the month is written differently.
QString DisplayFormat(const AnsiString& shortDateFormat)
{
    QString format = ToQString(shortDateFormat);
    for (QChar& c : format)
        if (c == QChar('m'))
            c = QChar('M');
    return format;
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), FEdit(new QDateEdit())
{
    SetWidget(FEdit);
    SetColor(clWindow);
    FEdit->setCalendarPopup(true);
    FEdit->setDisplayFormat(DisplayFormat(FormatSettings().ShortDateFormat));
    FEdit->setDate(ToQDate(ClockNow()));
    FEdit->resize(186, 21);
    QObject::connect(FEdit, &QDateEdit::dateChanged, [this] {
        if (OnChange)
            Dispatch([this] { OnChange(this); });
    });
}

TDateTime TDateTimePicker::Date() const
{
    return FromQDate(FEdit->date());
}

void TDateTimePicker::SetDate(TDateTime date)
{
    QSignalBlocker silent(FEdit);
    QDate day = ToQDate(date);
    FEdit->setDate(std::clamp(day, FEdit->minimumDate(), FEdit->maximumDate()));
}

void TDateTimePicker::SetMinDate(TDateTime date)
{
    QSignalBlocker silent(FEdit);
    FMinDate = DateOf(date);
    if (FMinDate == 0) {
        FEdit->clearMinimumDate();
        return;
    }
    FEdit->setMinimumDate(ToQDate(FMinDate));
    if (FMaxDate != 0 && FMaxDate < FMinDate)
        FMaxDate = FMinDate;
}

void TDateTimePicker::SetMaxDate(TDateTime date)
{
    QSignalBlocker silent(FEdit);
    FMaxDate = DateOf(date);
    if (FMaxDate == 0) {
        FEdit->clearMaximumDate();
        return;
    }
    FEdit->setMaximumDate(ToQDate(FMaxDate));
    if (FMinDate != 0 && FMinDate > FMaxDate)
        FMinDate = FMaxDate;
}
