// FormatDateTime with the class library's format grammar.
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"
#include <string_view>

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (cp1252::ToUpperAscii(text[i]) != cp1252::ToUpperAscii(prefix[i]))
            return false;
    return true;
}

AnsiString Padded(int number, int digits)
{
    AnsiString text = IntToStr(number);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

class DateTimeFormatter {
public:
    explicit DateTimeFormatter(TDateTime dt)
    {
        DecodeDate(dt, FYear, FMonth, FDay);
        DecodeTime(dt, FHour, FMinute, FSecond, FMillisecond);
        FWeekday = DayOfWeek(dt);
    }

    AnsiString Format(std::string_view format)
    {
        Append(format);
        return FResult;
    }

private:
    // Counts the run of the same character (same case) that starts at format[i - 1].
    static int RunLength(std::string_view format, std::size_t& i, char starter)
    {
        int count = 1;
        while (i < format.size() && format[i] == starter) {
            ++i;
            ++count;
        }
        return count;
    }

    // An 'h' shows a 12-hour clock when an am/pm marker follows before the next hour and
    // outside quotes.
    static bool TwelveHourMarkerFollows(std::string_view format, std::size_t i)
    {
        bool quoted = false;
        for (; i < format.size(); ++i) {
            char c = format[i];
            if (c == '\'' || c == '"')
                quoted = !quoted;
            else if (!quoted && (c == 'h' || c == 'H'))
                return false;
            else if (!quoted && (c == 'a' || c == 'A'))
                return StartsWithIgnoringCase(format.substr(i), "am/pm") || StartsWithIgnoringCase(format.substr(i), "a/p")
                    || StartsWithIgnoringCase(format.substr(i), "ampm");
        }
        return false;
    }

    int ClockHour(bool twelveHour) const
    {
        if (!twelveHour)
            return FHour;
        if (FHour == 0)
            return 12;
        return FHour > 12 ? FHour - 12 : FHour;
    }

    // Formats nest (c, ddddd, t) only one level deep, as the class library's do.
    void Append(std::string_view format)
    {
        if (FDepth >= 2)
            return;
        ++FDepth;
        const TFormatSettings& settings = FormatSettings();
        char lastToken = ' ';
        bool twelveHour = false;
        std::size_t i = 0;
        while (i < format.size()) {
            const char starter = format[i++];
            char token = cp1252::ToUpperAscii(starter);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            switch (token) {
            case 'Y': {
                int count = RunLength(format, i, starter);
                FResult += count <= 2 ? Padded(FYear % 100, 2) : Padded(FYear, 4);
                break;
            }
            case 'M': {
                int count = RunLength(format, i, starter);
                if (count <= 2)
                    FResult += Padded(FMonth, count);
                else
                    FResult += count == 3 ? settings.ShortMonthNames[FMonth] : settings.LongMonthNames[FMonth];
                break;
            }
            case 'D': {
                int count = RunLength(format, i, starter);
                if (count <= 2)
                    FResult += Padded(FDay, count);
                else if (count == 3)
                    FResult += settings.ShortDayNames[FWeekday];
                else if (count == 4)
                    FResult += settings.LongDayNames[FWeekday];
                else
                    Append(count == 5 ? settings.ShortDateFormat : settings.LongDateFormat);
                break;
            }
            case 'H': {
                int count = RunLength(format, i, starter);
                if (TwelveHourMarkerFollows(format, i))
                    twelveHour = true;
                FResult += Padded(ClockHour(twelveHour), count > 2 ? 2 : count);
                break;
            }
            case 'N': {
                int count = RunLength(format, i, starter);
                FResult += Padded(FMinute, count > 2 ? 2 : count);
                break;
            }
            case 'S': {
                int count = RunLength(format, i, starter);
                FResult += Padded(FSecond, count > 2 ? 2 : count);
                break;
            }
            case 'Z': {
                int count = RunLength(format, i, starter);
                FResult += Padded(FMillisecond, count > 3 ? 3 : count);
                break;
            }
            case 'T': {
                int count = RunLength(format, i, starter);
                Append(count == 1 ? settings.ShortTimeFormat : settings.LongTimeFormat);
                break;
            }
            case 'C': {
                RunLength(format, i, starter);
                Append(settings.ShortDateFormat);
                if (FHour != 0 || FMinute != 0 || FSecond != 0) {
                    FResult += ' ';
                    Append(settings.LongTimeFormat);
                }
                break;
            }
            case 'A':
                if (AppendMarker(format, i, starter))
                    twelveHour = true;
                break;
            case '/':
                FResult += settings.DateSeparator;
                break;
            case ':':
                FResult += settings.TimeSeparator;
                break;
            case '\'':
            case '"': {
                std::size_t close = format.find(starter, i);
                if (close == std::string_view::npos)
                    close = format.size();
                FResult.append(format.substr(i, close - i));
                i = close < format.size() ? close + 1 : close;
                break;
            }
            default:
                FResult += starter;
                break;
            }
        }
        --FDepth;
    }

    // am/pm and a/p keep the letter case written in the format; ampm uses the settings' texts;
    // aaa and aaaa are day names. True when a 12-hour marker was written.
    bool AppendMarker(std::string_view format, std::size_t& i, char starter)
    {
        const TFormatSettings& settings = FormatSettings();
        std::string_view rest = format.substr(i - 1);
        bool afternoon = FHour >= 12;
        if (StartsWithIgnoringCase(rest, "am/pm")) {
            FResult.append(rest.substr(afternoon ? 3 : 0, 2));
            i += 4;
            return true;
        } else if (StartsWithIgnoringCase(rest, "a/p")) {
            FResult.append(rest.substr(afternoon ? 2 : 0, 1));
            i += 2;
            return true;
        } else if (StartsWithIgnoringCase(rest, "ampm")) {
            FResult += afternoon ? settings.TimePMString : settings.TimeAMString;
            i += 3;
            return true;
        } else if (StartsWithIgnoringCase(rest, "aaaa")) {
            FResult += settings.LongDayNames[FWeekday];
            i += 3;
        } else if (StartsWithIgnoringCase(rest, "aaa")) {
            FResult += settings.ShortDayNames[FWeekday];
            i += 2;
        } else {
            FResult += starter;
        }
        return false;
    }

    int FYear = 0, FMonth = 0, FDay = 0, FWeekday = 1;
    int FHour = 0, FMinute = 0, FSecond = 0, FMillisecond = 0;
    int FDepth = 0;
    AnsiString FResult;
};

} // namespace

AnsiString FormatDateTime(const AnsiString& format, TDateTime dt)
{
    return DateTimeFormatter(dt).Format(format);
}

AnsiString DateToStr(TDateTime dt) { return FormatDateTime(FormatSettings().ShortDateFormat, dt); }
AnsiString TimeToStr(TDateTime dt) { return FormatDateTime(FormatSettings().LongTimeFormat, dt); }
AnsiString DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }
