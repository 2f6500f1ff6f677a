#include "alarms/AutoAlarms.h"
#include "alarms/AlarmEntry.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

namespace {

constexpr int kRecordsPerFile = 7;
constexpr std::size_t kRecordHeaderSize = 8;
constexpr std::int64_t kLargestListingFile = 64 * 1024 * 1024;
constexpr std::size_t kQuestionColumns = 80;

const AnsiString& Section()
{
    static const AnsiString section = "Hälytys"_a;
    return section;
}

std::int32_t LittleEndian32(const unsigned char* bytes)
{
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
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

std::vector<DayRecord> ReadListingRecords(const AnsiString& path)
{
    const std::int64_t size = FileSize(path);
    if (size < 0 || size > kLargestListingFile)
        return {};
    try {
        return ReadDayRecords(ReadWholeFile(path));
    } catch (const EStreamError&) {
        return {};
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

std::vector<DayRecord> ReadDayRecords(std::string_view file)
{
    std::vector<DayRecord> records;
    std::size_t at = 0;
    for (int record = 0; record < kRecordsPerFile; ++record) {
        if (file.size() - at < kRecordHeaderSize)
            break;
        const auto* header = reinterpret_cast<const unsigned char*>(file.data() + at);
        const std::int32_t length = LittleEndian32(header + 4);
        at += kRecordHeaderSize;
        if (length < 0 || static_cast<std::size_t>(length) > file.size() - at)
            break;
        records.push_back({LittleEndian32(header), AnsiString(file.substr(at, static_cast<std::size_t>(length)))});
        at += static_cast<std::size_t>(length);
    }
    return records;
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
        if (!ChannelEnabled(channel))
            continue;
        for (const DayRecord& record : ReadListingRecords(files[f])) {
            TDateTime date = 0;
            if (!RecordDate(record.Key, date) || date < now)
                continue;
            for (AutoAlarmCandidate& candidate : CandidatesOfDay(channel, date, record.Text, keywords))
                candidates.push_back(std::move(candidate));
        }
    }
    return candidates;
}

AnsiString AutoAlarmQuestion(const AutoAlarmCandidate& candidate)
{
    return candidate.Channel + " - " + candidate.Caption + "\r\n\r\n" + candidate.Line + "\r\n" +
           WrapAtBlanks(candidate.Description, kQuestionColumns) + "\r\n\r\n" + "Lisätäänkö hälytyksiin?"_a +
           AnsiString(11, ' ');
}

AnsiString AutoAlarmsSearchingText()
{
    return "Etsitään lisättäviä hälytyksiä..."_a;
}

AnsiString AutoAlarmsDoneText(int added)
{
    return "Hälytysten etsintä suoritettu. ("_a + IntToStr(added) + (added == 1 ? " ohjelma lisätty)"_a : " ohjelmaa lisätty)"_a);
}

AnsiString WrapAtBlanks(const AnsiString& text, std::size_t columns)
{
    AnsiString wrapped;
    std::size_t lineStart = 0;
    while (text.size() - lineStart > columns) {
        // The last blank that keeps the line within the columns, blank included.
        std::size_t blank = text.rfind(' ', lineStart + columns - 1);
        if (blank == AnsiString::npos || blank < lineStart)
            blank = text.find(' ', lineStart + columns);
        if (blank == AnsiString::npos)
            break;
        wrapped += text.substr(lineStart, blank - lineStart + 1);
        lineStart = text.find_first_not_of(' ', blank + 1);
        if (lineStart == AnsiString::npos)
            return wrapped;
        wrapped += "\r\n";
    }
    return wrapped + text.substr(lineStart);
}
