#include "alarms/AlarmEntry.h"
#include "alarms/AlarmAction.h"
#include "alarms/NewAlarmDefaults.h"
#include "listings/Calendar.h"
#include "listings/ProgrammeRow.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr int kTvDayStartHour = 5;
constexpr std::size_t kShortestDescription = 3;

int HourOf(TDateTime moment)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeTime(moment, hour, minute, second, millisecond);
    return hour;
}

AnsiString CaptionDate(const AnsiString& caption)
{
    return caption.substr(0, caption.find(' '));
}

AnsiString TextFrom(const AnsiString& text, std::size_t from)
{
    return from < text.size() ? text.substr(from) : AnsiString();
}

} // namespace

AnsiString AlarmCaption(TDateTime start)
{
    const TDateTime tvDay = HourOf(start) < kTvDayStartHour ? IncDay(start, -1) : start;
    return FormatDateTime("d.m.yyyy", start) + " (" + DayAbbrev(tvDay) + ")";
}

bool ProgrammeStart(TDateTime tvDay, const AnsiString& time, TDateTime& start)
{
    TDateTime timeOfDay = 0;
    if (!TryStrToTime(Trim(time), timeOfDay))
        return false;
    start = DateOf(tvDay) + timeOfDay;
    if (HourOf(start) < kTvDayStartHour)
        start = IncDay(start, 1);
    return true;
}

AnsiString AlarmDescription(const AnsiString& description, const AnsiString& title)
{
    return description.size() < kShortestDescription ? title : description;
}

AnsiString DefaultAlarmActionString()
{
    const AnsiString section = "Hälytys"_a;
    const NewAlarmSettings& defaults = NewAlarmDefaults();
    AlarmActions actions;
    actions.NoticeType = IniReadString(section, "Tyyppi", defaults.NoticeType);
    actions.Beeps = IniReadString(section, "PCSpeakerKäytössä"_a, defaults.Beeps ? "1" : "0") == "1";
    actions.BeepCount = IniReadString(section, "PCSpeakerTimes", IntToStr(defaults.BeepCount));
    actions.SoundFile = IniReadString(section, "Ääni"_a, defaults.SoundFile);
    actions.Program = IniReadString(section, "Ohjelma", defaults.Program);
    return AlarmActionString(actions);
}

bool HoldsProgramme(const AlarmRow& row, const AnsiString& dateText, const AnsiString& channel,
                    const AnsiString& time, const AnsiString& title)
{
    return CaptionDate(row.Caption) == dateText && row.SubItems[afChannel] == channel &&
           row.SubItems[afTime] == time && Trim(StripTags(row.SubItems[afTitle])) == Trim(StripTags(title));
}

bool AnyHoldsProgramme(const std::vector<AlarmRow>& rows, const AnsiString& dateText, const AnsiString& channel,
                       const AnsiString& time, const AnsiString& title)
{
    for (const AlarmRow& row : rows)
        if (HoldsProgramme(row, dateText, channel, time, title))
            return true;
    return false;
}

bool ProgrammeOfViewLine(const AnsiString& line, TDateTime tvDay, const AnsiString& shownChannel,
                         ListedProgramme& programme)
{
    // The channel view shows one channel; the time line names each row's in its column mark.
    const RowLayout layout = shownChannel.empty() ? RowLayout::Timeline : RowLayout::Channel;
    const ProgrammeRow row = SplitProgrammeRow(line, layout);
    const AnsiString stripped = row.Text();
    programme.Channel = shownChannel.empty() ? row.channel : shownChannel;
    programme.Time = stripped.substr(0, 5);
    programme.Title = Trim(TextFrom(stripped, 6));
    return ProgrammeStart(tvDay, programme.Time, programme.Start);
}

bool ProgrammeOfSearchLine(const AnsiString& line, ListedProgramme& programme)
{
    const ProgrammeRow row = SplitProgrammeRow(line, RowLayout::Search);
    const AnsiString stripped = row.Text();
    const std::size_t colon = stripped.find(':');
    int day = 0, month = 0, year = 0;
    TDateTime tvDay = 0;
    if (colon == AnsiString::npos || colon < 2 || stripped.size() < 10 || !TryStrToInt(stripped.substr(0, 2), day) ||
        !TryStrToInt(stripped.substr(3, 2), month) || !TryStrToInt(stripped.substr(6, 4), year) ||
        !TryEncodeDate(year, month, day, tvDay))
        return false;
    programme.Channel = row.channel;
    programme.Title = Trim(TextFrom(stripped, colon + 3));
    if (!ProgrammeStart(tvDay, stripped.substr(colon - 2, 5), programme.Start))
        return false;
    programme.Time = FormatDateTime("hh:nn", programme.Start);
    return true;
}
