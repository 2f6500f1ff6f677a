#include "alarms/AlarmFile.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t kRecordLines = 8;
// What the notice lists of each kind, and of each record, before it says how much more there was.
constexpr std::size_t kListedRecords = 10;
constexpr std::size_t kListedBytes = 100;

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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlankLine(const AnsiString& line)
{
    return line.find_first_not_of(" \t") == AnsiString::npos;
}

// A Windows-1252 letter: one that has another case, or the sharp s that has none.
bool IsLetter(char c)
{
    return cp1252::ToUpperAnsi(c) != cp1252::ToLowerAnsi(c) || static_cast<unsigned char>(c) == 0xDF;
}

// "d.m.yyyy (XX)": a date that reads, a blank and two letters in brackets.
bool IsCaption(const AnsiString& line)
{
    constexpr std::size_t kLongest = sizeof "dd.mm.yyyy (XX)" - 1;
    if (line.size() < sizeof "d.m.yyyy (XX)" - 1 || line.size() > kLongest)
        return false;
    const std::size_t blank = line.size() - 5;
    if (line.compare(blank, 2, " (") != 0 || !IsLetter(line[blank + 2]) || !IsLetter(line[blank + 3])
        || line.back() != ')')
        return false;
    const AnsiString date = line.substr(0, blank);
    TDateTime value = 0;
    return std::all_of(date.begin(), date.end(), [](char c) { return IsDigit(c) || c == '.'; })
           && TryStrToDate(date, value);
}

// "hh:nn", or " h:nn" as the alarm dialog writes an hour of one digit.
bool IsTime(const AnsiString& line)
{
    if (line.size() != 5 || line[2] != ':' || !(IsDigit(line[0]) || line[0] == ' ') || !IsDigit(line[1])
        || !IsDigit(line[3]) || !IsDigit(line[4]))
        return false;
    const int hour = (line[0] == ' ' ? 0 : line[0] - '0') * 10 + (line[1] - '0');
    return hour < 24 && line[3] < '6';
}

bool HasNul(const AnsiString& line) { return line.find('\0') != AnsiString::npos; }

// The number of lines of the intact record at `first` (8, or 7 when the empty line after it is
// missing before the next record or the end), or 0 when the record there is damaged.
std::size_t IntactRecordLines(const std::vector<AnsiString>& lines, std::size_t first)
{
    if (first + kRecordLines - 1 > lines.size())
        return 0;
    if (!IsCaption(lines[first]) || !IsTime(lines[first + 2]) || lines[first + 6].compare(0, 4, "#NRM") != 0)
        return 0;
    for (std::size_t i = first; i < first + kRecordLines - 1; ++i)
        if (HasNul(lines[i]))
            return 0;
    const std::size_t separator = first + kRecordLines - 1;
    if (separator == lines.size() || IsCaption(lines[separator]))
        return kRecordLines - 1;
    return IsBlankLine(lines[separator]) ? kRecordLines : 0;
}

// Up to four lines from `first` (not past `end`) joined by blanks, as the notice lists a record;
// cut short and with control characters shown as '?', so that any bytes fit a line of the box.
AnsiString RecordSummary(const std::vector<AnsiString>& lines, std::size_t first, std::size_t end)
{
    AnsiString summary;
    for (std::size_t i = first; i < first + 4 && i < end; ++i)
        summary += (i == first ? "" : " ") + lines[i].substr(0, kListedBytes);
    if (summary.size() > kListedBytes)
        summary = summary.substr(0, kListedBytes) + "...";
    std::replace_if(summary.begin(), summary.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, '?');
    return summary;
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

AnsiString AlarmBackupPath()
{
    return AlarmFilePath() + ".bak";
}

AlarmFileContents ReadAlarmFile(TDateTime now)
{
    AlarmFileContents contents;
    if (!FileExists(AlarmFilePath()))
        return contents;
    contents.bytes = ReadWholeFile(AlarmFilePath());
    const std::vector<AnsiString> lines = SplitLines(contents.bytes);
    std::size_t first = 0;
    while (first < lines.size()) {
        if (IsBlankLine(lines[first])) {
            ++first;
            continue;
        }
        if (std::size_t count = IntactRecordLines(lines, first)) {
            AlarmRow row;
            row.Caption = lines[first];
            for (std::size_t i = 0; i < row.SubItems.size(); ++i)
                row.SubItems[i] = lines[first + 1 + i];
            TDateTime moment = 0;
            if (row.StartMoment(moment) && moment > now)
                contents.rows.push_back(std::move(row));
            else
                contents.expired.push_back(RecordSummary(lines, first, first + count));
            first += count;
            continue;
        }
        // A damaged record ends where the next one begins, found by the shape of its caption.
        std::size_t end = first + 1;
        while (end < lines.size() && !IsCaption(lines[end]))
            ++end;
        contents.damaged.push_back(RecordSummary(lines, first, end));
        first = end;
    }
    return contents;
}

void PruneAlarmFile(const AlarmFileContents& contents)
{
    const AnsiString text = AlarmFileText(contents.rows);
    if (text == contents.bytes)
        return;
    if (!contents.damaged.empty())
        AtomicWriteFile(AlarmBackupPath(), contents.bytes);
    AtomicWriteFile(AlarmFilePath(), text);
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

AnsiString DroppedAlarmsNotice(const AlarmFileContents& contents)
{
    AnsiString notice;
    if (!contents.expired.empty())
        notice += "Seuraavat vanhetuneet hälytykset poistettiin:"_a + "\r\r" + ListedAlarms(contents.expired);
    if (!contents.damaged.empty()) {
        if (!notice.empty())
            notice += "\r";
        notice += "Seuraavia vioittuneita hälytyksiä ei voitu lukea (tiedosto on tallessa nimellä QEX.ALS.bak):"_a
                  + "\r\r" + ListedAlarms(contents.damaged);
    }
    return notice;
}

AnsiString AlarmRowSummary(const AlarmRow& row)
{
    const std::vector<AnsiString> lines{row.Caption, row.SubItems[afChannel], row.SubItems[afTime],
                                        row.SubItems[afTitle]};
    return RecordSummary(lines, 0, lines.size());
}

AnsiString ListedAlarms(const std::vector<AnsiString>& summaries)
{
    AnsiString text;
    for (std::size_t i = 0; i < summaries.size() && i < kListedRecords; ++i)
        text += summaries[i] + "\r\n";
    if (summaries.size() > kListedRecords)
        text += "(ja " + IntToStr(static_cast<int>(summaries.size() - kListedRecords)) + " muuta)\r\n";
    return text;
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
