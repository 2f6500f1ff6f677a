// StrToDate, StrToTime and StrToDateTime: the class library's scanner, numbers separated by the
// settings' separators, blanks allowed around them.
#include "platform/core/DateTime.h"
#include "platform/core/ConvertOrRaise.h"

namespace {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The first of d, m and y in the short date format decides the order.
DateOrder OrderOf(const AnsiString& format)
{
    for (char c : format) {
        switch (cp1252::ToUpperAscii(c)) {
        case 'D': return DateOrder::DayMonthYear;
        case 'M': return DateOrder::MonthDayYear;
        case 'Y': return DateOrder::YearMonthDay;
        default: break;
        }
    }
    return DateOrder::MonthDayYear;
}

class Scanner {
public:
    explicit Scanner(const AnsiString& text) : FText(text) {}

    bool AtEnd() const { return FPos >= FText.size(); }

    void SkipBlanks()
    {
        while (FPos < FText.size() && FText[FPos] == ' ')
            ++FPos;
    }

    // Up to four digits after optional blanks.
    bool Number(int& value, int& digits)
    {
        SkipBlanks();
        std::size_t start = FPos;
        value = 0;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9' && FPos - start < 4)
            value = value * 10 + (FText[FPos++] - '0');
        digits = static_cast<int>(FPos - start);
        return digits > 0;
    }

    bool Char(char expected)
    {
        SkipBlanks();
        if (FPos < FText.size() && FText[FPos] == expected) {
            ++FPos;
            return true;
        }
        return false;
    }

private:
    const AnsiString& FText;
    std::size_t FPos = 0;
};

int CurrentYear()
{
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    return year;
}

bool ScanDate(Scanner& scan, TDateTime& value)
{
    const TFormatSettings& settings = FormatSettings();
    const DateOrder order = OrderOf(settings.ShortDateFormat);
    int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
    if (!scan.Number(n1, l1) || !scan.Char(settings.DateSeparator) || !scan.Number(n2, l2))
        return false;
    int year = 0, month = 0, day = 0;
    if (scan.Char(settings.DateSeparator)) {
        if (!scan.Number(n3, l3))
            return false;
        int yearDigits = l3;
        switch (order) {
        case DateOrder::DayMonthYear: year = n3; month = n2; day = n1; break;
        case DateOrder::MonthDayYear: year = n3; month = n1; day = n2; break;
        case DateOrder::YearMonthDay: year = n1; month = n2; day = n3; yearDigits = l1; break;
        }
        if (yearDigits <= 2)
            year += CurrentYear() / 100 * 100;
    } else {
        year = CurrentYear();
        if (order == DateOrder::DayMonthYear) {
            day = n1;
            month = n2;
        } else {
            month = n1;
            day = n2;
        }
    }
    // A full date may end with its separator ("11.2.2026.").
    scan.Char(settings.DateSeparator);
    scan.SkipBlanks();
    return TryEncodeDate(year, month, day, value);
}

bool ScanTime(Scanner& scan, TDateTime& value)
{
    const char separator = FormatSettings().TimeSeparator;
    int hour = 0, minute = 0, second = 0, digits = 0;
    if (!scan.Number(hour, digits))
        return false;
    if (scan.Char(separator) && !scan.Number(minute, digits))
        return false;
    if (scan.Char(separator) && !scan.Number(second, digits))
        return false;
    scan.SkipBlanks();
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    value = EncodeTime(hour, minute, second, 0);
    return true;
}

} // namespace

bool TryStrToDate(const AnsiString& s, TDateTime& value)
{
    Scanner scan(s);
    return ScanDate(scan, value) && scan.AtEnd();
}

bool TryStrToTime(const AnsiString& s, TDateTime& value)
{
    Scanner scan(s);
    return ScanTime(scan, value) && scan.AtEnd();
}

// A date, optionally followed by a time; or a time alone.
bool TryStrToDateTime(const AnsiString& s, TDateTime& value)
{
    Scanner scan(s);
    TDateTime date = 0;
    TDateTime time = 0;
    if (ScanDate(scan, date) && (scan.AtEnd() || (ScanTime(scan, time) && scan.AtEnd()))) {
        // Before 1899 the time still counts forwards from midnight.
        value = date >= 0 ? date + time : date - time;
        return true;
    }
    return TryStrToTime(s, value);
}

TDateTime StrToDate(const AnsiString& s) { return ConvertOrRaise(s, TryStrToDate, "date"); }
TDateTime StrToTime(const AnsiString& s) { return ConvertOrRaise(s, TryStrToTime, "time"); }
TDateTime StrToDateTime(const AnsiString& s) { return ConvertOrRaise(s, TryStrToDateTime, "date and time"); }
