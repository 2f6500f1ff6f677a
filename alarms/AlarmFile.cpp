#include "alarms/AlarmFile.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <cmath>

namespace {

constexpr int kLinesPerRecord = 8;

AnsiString TextBeforeFirstBlank(const AnsiString& text)
{
    std::size_t blank = text.find(' ');
    return blank == AnsiString::npos ? text : text.substr(0, blank);
}

bool ReadMoment(const AnsiString& dateText, const AnsiString& timeText, TDateTime& moment)
{
    TDateTime date = 0, time = 0;
    if (!TryStrToDate(dateText, date) || !TryStrToTime(Trim(timeText), time))
        return false;
    moment = date + time;
    return true;
}

AnsiString ExpiredLine(const TStringList& lines, int first)
{
    AnsiString line;
    for (int i = first; i < first + 4 && i < lines.Count(); ++i)
        line += (i == first ? "" : " ") + lines[i];
    return line + "\r\n";
}

} // namespace

AnsiString AlarmRow::RecordText() const
{
    AnsiString text = Caption + "\r\n";
    for (const AnsiString& item : SubItems)
        text += item + "\r\n";
    return text;
}

bool AlarmRow::StartMoment(TDateTime& moment) const
{
    return ReadMoment(TextBeforeFirstBlank(Caption), SubItems[afTime], moment);
}

AnsiString AlarmFilePath()
{
    return ExeFolder() + "QEX.ALS";
}

AlarmFileContents ReadAlarmFile(TDateTime now)
{
    AlarmFileContents contents;
    if (!FileExists(AlarmFilePath()))
        return contents;
    TStringList lines;
    lines.LoadFromFile(AlarmFilePath());
    lines.Add(""); // end mark
    int first = 0;
    while (first < lines.Count() && lines[first].size() >= 3) {
        bool complete = first + 7 < lines.Count();
        AlarmRow row;
        row.Caption = lines[first];
        for (int i = 0; i < 6 && first + 1 + i < lines.Count(); ++i)
            row.SubItems[static_cast<std::size_t>(i)] = lines[first + 1 + i];
        TDateTime moment = 0;
        if (complete && row.StartMoment(moment) && moment > now)
            contents.rows.push_back(row);
        else
            contents.expiredText += ExpiredLine(lines, first);
        first += kLinesPerRecord;
    }
    return contents;
}

AnsiString AlarmFileText(const std::vector<AlarmRow>& rows)
{
    TStringList list;
    for (const AlarmRow& row : rows)
        list.Add(row.RecordText());
    return list.Count() == 0 ? AnsiString() : list.Text();
}

void WriteAlarmFile(const std::vector<AlarmRow>& rows)
{
    AtomicWriteFile(AlarmFilePath(), AlarmFileText(rows));
}

AnsiString ExpiredAlarmsNotice(const AnsiString& expiredText)
{
    return "Seuraavat vanhetuneet hälytykset poistettiin:"_a + "\r\r" + expiredText;
}

AnsiString AlarmCountdownText(TDateTime alarmMoment, TDateTime now)
{
    // The present moment counts in whole seconds, as it is written with seconds and read back;
    // the small allowance keeps an exact second from falling to the one before.
    std::int64_t nowSeconds = static_cast<std::int64_t>(std::floor(now * 86400.0 + 1e-4));
    std::int64_t alarmSeconds = static_cast<std::int64_t>(std::floor(alarmMoment * 86400.0 + 0.5));
    if (alarmSeconds < nowSeconds)
        return "Vanha hälytys!"_a;
    std::int64_t left = alarmSeconds - nowSeconds;
    std::int64_t days = left / 86400, hours = (left / 3600) % 24, minutes = (left / 60) % 60;
    AnsiString text;
    if (days > 0)
        text += IntToStr(days) + " d. ";
    if (hours > 0)
        text += IntToStr(hours) + " h. ";
    if (minutes > 0)
        text += IntToStr(minutes) + " min. ";
    return text;
}
