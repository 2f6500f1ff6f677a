#include "dialogs/SettingsEditing.h"
#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

std::vector<AnsiString> ReadIndexedSettings(const AnsiString& section, const AnsiString& countKey,
                                            const AnsiString& prefix)
{
    const TIniFile ini(SettingsFilePath());
    const int count = StrToIntDef(Trim(ini.ReadString(section, countKey, "0")), 0);
    const int last = std::min(count, std::max(HighestStoredIndex(ini, section, prefix), 0));
    std::vector<AnsiString> entries;
    for (int i = 0; i <= last; ++i)
        entries.push_back(ini.ReadString(section, prefix + IntToStr(i), ""));
    return entries;
}

void WriteIndexedSettings(TIniFile& ini, const AnsiString& section, const AnsiString& countKey,
                          const AnsiString& prefix, const TStrings& entries)
{
    ini.WriteString(section, countKey, IntToStr(entries.Count() - 1));
    for (int i = 0; i < entries.Count(); ++i)
        ini.WriteString(section, prefix + IntToStr(i), entries.Get(i));
}

AnsiString SemicolonJoined(const TStrings& items)
{
    AnsiString text;
    for (int i = 0; i < items.Count(); ++i)
        text += items.Get(i) + ";";
    return text;
}

AnsiString MakeColouringEntry(const AnsiString& colourName, const AnsiString& keywords)
{
    AnsiString entry = "<c:" + colourName + ">" + keywords;
    if (keywords.empty() || keywords.back() != ';')
        entry += ";";
    return entry;
}

namespace {

// Where the entry's leading "<c:name>" tag closes, or npos when it doesn't start with one.
std::size_t ColourTagClose(const AnsiString& entry)
{
    return entry.compare(0, 3, "<c:") == 0 ? entry.find('>') : AnsiString::npos;
}

} // namespace

AnsiString ColouringEntryColourName(const AnsiString& entry)
{
    const std::size_t close = ColourTagClose(entry);
    return close == AnsiString::npos ? AnsiString() : entry.substr(3, close - 3);
}

AnsiString ColouringEntryKeywords(const AnsiString& entry)
{
    const std::size_t close = ColourTagClose(entry);
    return close == AnsiString::npos ? entry : entry.substr(close + 1);
}

AnsiString MakeViewEntry(const AnsiString& title, const AnsiString& layout, const AnsiString& channels)
{
    AnsiString entry = ReplaceAll(title, ":", " ", true) + ":" + layout + ":" + channels;
    if (channels.empty() || channels.back() != ';')
        entry += ";";
    return entry;
}

ViewEntryParts SplitViewEntry(const AnsiString& entry)
{
    ViewEntryParts parts;
    const std::size_t first = entry.find(':');
    if (first == AnsiString::npos) {
        parts.title = entry;
        return parts;
    }
    parts.title = entry.substr(0, first);
    const std::size_t second = entry.find(':', first + 1);
    if (second == AnsiString::npos) {
        parts.layout = entry.substr(first + 1);
        return parts;
    }
    parts.layout = entry.substr(first + 1, second - first - 1);
    parts.channels = entry.substr(second + 1);
    return parts;
}
