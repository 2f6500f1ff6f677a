#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

const char* const AllChannelsSetting =
    "TV1;TV2;MTV3;Nelonen;Subtv;Canal+;Canal+ Gold;Canal+ Sininen;TV1000;Cinema;Moon TV;SVT 1;SVT 2;"
    "SVT Europa;TV4 Nordisk;BBC World;MTV Europe;Eurosport;VH-1;Discovery;TNT Cartoon;RTL;Radiomafia;"
    "Radio Yle 1;Radio Suomi;Radio Extrem;";

int HighestStoredIndex(const TIniFile& ini, const AnsiString& section, const AnsiString& prefix)
{
    TStringList keys;
    ini.ReadSection(section, keys);
    std::vector<AnsiString> names;
    for (int i = 0; i < keys.Count(); ++i)
        names.push_back(keys[i]);
    return HighestStoredIndex(names, prefix);
}

int HighestStoredIndex(const std::vector<AnsiString>& keys, const AnsiString& prefix)
{
    int highest = -1;
    for (const AnsiString& key : keys) {
        int index = 0;
        if (key.size() > prefix.size() && AnsiSameText(key.substr(0, prefix.size()), prefix) &&
            TryStrToInt(key.substr(prefix.size()), index))
            highest = std::max(highest, index);
    }
    return std::min(highest, kMostListEntries - 1);
}

std::vector<AnsiString> SemicolonList(const AnsiString& text)
{
    std::vector<AnsiString> elements;
    std::size_t start = 0;
    for (std::size_t end = text.find(';'); end != AnsiString::npos; end = text.find(';', start)) {
        elements.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return elements;
}

std::vector<AnsiString> ChannelListOf(const AnsiString& setting)
{
    std::vector<AnsiString> channels = SemicolonList(setting);
    auto firstEmpty = std::find(channels.begin(), channels.end(), AnsiString());
    channels.erase(firstEmpty, channels.end());
    return channels;
}

std::vector<AnsiString> EnabledChannels()
{
    return ChannelListOf(IniReadString("Kanavat", "Käytössä"_a, AllChannelsSetting));
}

AnsiString ViewEntryCaption(const AnsiString& entry)
{
    std::size_t colon = entry.find(':');
    return colon == AnsiString::npos ? AnsiString() : entry.substr(0, colon);
}

ViewEntry ParseViewEntry(const AnsiString& entry)
{
    std::size_t colon = entry.find(':');
    std::size_t restStart = colon == AnsiString::npos ? 0 : colon + 1;
    const AnsiString rest = entry.substr(std::min(restStart, entry.size()));

    ViewEntry view;
    std::size_t layoutEnd = rest.find(':');
    if (layoutEnd == AnsiString::npos) // no layout: the view opens nothing
        return view;
    view.layout = rest.substr(0, layoutEnd);
    for (const AnsiString& channel : SemicolonList(rest.substr(layoutEnd + 1)))
        view.channels.Add(channel);
    return view;
}

int HighestViewIndex()
{
    return IniReadInteger("Näkymät"_a, "OmiaNäkymiä"_a, 0);
}

AnsiString ReadViewEntry(int index)
{
    return IniReadString("Näkymät"_a, "OmaNäkymä"_a + IntToStr(index), "");
}

AnsiString ColouringEntry::ColourName() const
{
    return ReplaceAll(ReplaceAll(tag, "<c:", "", true), ">", "", true);
}

ColouringEntry ParseColouringEntry(const AnsiString& entry)
{
    ColouringEntry colouring;
    std::size_t tagEnd = entry.find('>');
    std::size_t keywordsStart = tagEnd == AnsiString::npos ? 0 : tagEnd + 1;
    colouring.tag = entry.substr(0, keywordsStart);
    colouring.keywords = SemicolonList(entry.substr(keywordsStart));
    return colouring;
}

std::vector<ColouringEntry> ColouringEntriesOf(const IniDocument& settings)
{
    const AnsiString section = "Väritys"_a;
    const AnsiString prefix = "OmaVäritys"_a;
    const AnsiString count = settings.Value(section, "OmiaVärityksiä"_a).value_or("0");
    const int highest = std::min(StrToIntDef(Trim(count), 0), HighestStoredIndex(settings.Keys(section), prefix));
    std::vector<ColouringEntry> entries;
    for (int i = 0; i <= highest; ++i)
        entries.push_back(ParseColouringEntry(settings.Value(section, prefix + IntToStr(i)).value_or("")));
    return entries;
}

bool ColouringsEnabled()
{
    return IniReadString("Väritys"_a, "Käytössä"_a, "0") == "1";
}
