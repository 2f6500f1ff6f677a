#include "alarms/AutoAlarms.h"
#include "alarms/AlarmEntry.h"
#include "listings/ChannelTable.h"
#include "listings/ListingRecords.h"
#include "listings/ListingStore.h"
#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

namespace {

const AnsiString& Section()
{
    static const AnsiString section = "Hälytys"_a;
    return section;
}

// A programme line has its time's ':' as third character: "hh:nn Title".
bool IsProgrammeLine(const AnsiString& line)
{
    return line.size() >= 3 && line[2] == ':';
}

bool HoldsKeyword(const AnsiString& text, const AnsiString& keyword)
{
    return !keyword.empty() && text.find(keyword) != AnsiString::npos;
}

// The line numbers of the programmes that hold a keyword, keyword by keyword, each line once.
std::vector<int> MatchingLines(const TStringList& lines, const std::vector<AnsiString>& keywords)
{
    std::vector<int> found;
    for (const AnsiString& keyword : keywords) {
        for (int i = 0; i + 1 < lines.Count(); i += 2) {
            const AnsiString line = lines[i];
            if (IsProgrammeLine(line) && HoldsKeyword(line + " " + lines[i + 1], keyword) &&
                std::find(found.begin(), found.end(), i) == found.end())
                found.push_back(i);
        }
    }
    return found;
}

bool ChannelEnabled(const AnsiString& channel)
{
    const std::vector<AnsiString> enabled = SemicolonList(IniReadString("Kanavat", "Käytössä"_a, AllChannelsSetting));
    return !channel.empty() && std::find(enabled.begin(), enabled.end(), channel) != enabled.end();
}

// The candidates of every record of one file dated after `now`'s day start. What a damaged
// file holds before the damage still counts; a file that can't be read gives nothing.
void AddCandidatesOfFile(const AnsiString& path, const AnsiString& channel, TDateTime now,
                         const std::vector<AnsiString>& keywords, std::vector<AutoAlarmCandidate>& candidates)
{
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyNone);
        ListingRecordReader records(file);
        while (records.Next() == ListingRecordReader::Step::Record) {
            TDateTime date = 0;
            if (!RecordDate(records.Key(), date) || date < now)
                continue;
            for (AutoAlarmCandidate& candidate : CandidatesOfDay(channel, date, records.Text(), keywords))
                candidates.push_back(std::move(candidate));
        }
    } catch (const EStreamError&) {
    }
}

} // namespace

bool AutoAlarmsSwitchedOn()
{
    return IniReadString(Section(), "LisääAutomaattisesti"_a, "0") == "1" &&
           IniReadString(Section(), "AutomaattisestiLisättävät"_a, "").size() > 2;
}

std::vector<AnsiString> AutoAlarmKeywords()
{
    std::vector<AnsiString> keywords = SemicolonList(IniReadString(Section(), "AutomaattisestiLisättävät"_a, ""));
    keywords.erase(std::remove(keywords.begin(), keywords.end(), AnsiString()), keywords.end());
    return keywords;
}

bool AutoAlarmsAskFirst()
{
    return IniReadString(Section(), "LisääAutomaattisestiVarmista"_a, "1") == "1";
}

bool RecordDate(std::int32_t key, TDateTime& date)
{
    const AnsiString digits = IntToStr(key);
    int year = 0, month = 0, day = 0;
    return digits.size() >= 8 && TryStrToInt(digits.substr(0, 4), year) && TryStrToInt(digits.substr(4, 2), month) &&
           TryStrToInt(digits.substr(6, 2), day) && TryEncodeDate(year, month, day, date);
}

std::vector<AutoAlarmCandidate> CandidatesOfDay(const AnsiString& channel, TDateTime date, const AnsiString& dayText,
                                                const std::vector<AnsiString>& keywords)
{
    TStringList lines;
    lines.SetText(dayText);
    for (int i = 0; i < 4; ++i)
        lines.Add("");
    std::vector<AutoAlarmCandidate> candidates;
    for (int index : MatchingLines(lines, keywords)) {
        const AnsiString line = lines[index];
        TDateTime start = 0;
        if (!ProgrammeStart(date, line.substr(0, 5), start))
            continue;
        AutoAlarmCandidate candidate;
        candidate.Caption = AlarmCaption(start);
        candidate.DateText = FormatDateTime("d.m.yyyy", start);
        candidate.Channel = channel;
        candidate.Time = FormatDateTime("hh:nn", start);
        candidate.Title = line.size() > 6 ? line.substr(6) : AnsiString();
        candidate.Description = lines[index + 1];
        candidate.Line = line;
        candidates.push_back(candidate);
    }
    return candidates;
}

std::vector<AutoAlarmCandidate> FindAutoAlarmCandidates(TDateTime now, const std::vector<AnsiString>& keywords)
{
    TStringList files;
    ListFiles(DataFolder(), "*.QEX", files);
    files.Sort();
    std::vector<AutoAlarmCandidate> candidates;
    for (int f = 0; f < files.Count(); ++f) {
        const AnsiString channel = ChannelNameFromCode(ExtractFileName(files[f]).substr(0, 2));
        if (ChannelEnabled(channel))
            AddCandidatesOfFile(files[f], channel, now, keywords, candidates);
    }
    return candidates;
}

AnsiString AutoAlarmsSearchingText()
{
    return "Etsitään lisättäviä hälytyksiä..."_a;
}

AnsiString AutoAlarmsDoneText(int added)
{
    return "Hälytysten etsintä suoritettu. ("_a + IntToStr(added) + (added == 1 ? " ohjelma lisätty)"_a : " ohjelmaa lisätty)"_a);
}
