#include "platform/core/IniDocument.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <unordered_set>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A name or value written into a line must not start another line, or one write could forge
// further sections and keys.
// Lines split at CR LF, a lone CR or a lone LF are written back ended by CR LF: the same bytes
// only when every line, the last one too, was ended that way.
bool EveryLineEndsInCrLf(std::string_view bytes)
{
    if (bytes.empty())
        return true;
    if (!bytes.ends_with("\r\n"))
        return false;
    // Each CR followed by an LF, and as many LFs as CRs: then no LF stands alone either.
    std::size_t crs = 0, lfs = 0;
    for (std::size_t at = bytes.find('\r'); at != std::string_view::npos; at = bytes.find('\r', at + 2), ++crs)
        if (at + 1 >= bytes.size() || bytes[at + 1] != '\n')
            return false;
    for (std::size_t at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', at + 1))
        ++lfs;
    return crs == lfs;
}

// The key keeps its spelling, its place and the blanks before the value.
AnsiString WithValue(const AnsiString& text, std::size_t valueStart, const AnsiString& cleanValue)
{
    std::size_t keep = valueStart;
    while (keep < text.size() && (text[keep] == ' ' || text[keep] == '\t'))
        ++keep;
    return text.substr(0, keep) + cleanValue;
}

AnsiString OneLine(const AnsiString& s)
{
    AnsiString out = s;
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

// Two names are the same when their folded forms are equal.
AnsiString Folded(const AnsiString& name) { return AnsiUpperCase(name); }

void AddOnce(std::vector<AnsiString>& names, std::unordered_set<AnsiString>& seen, const AnsiString& name)
{
    if (seen.insert(Folded(name)).second)
        names.push_back(name);
}

} // namespace

IniDocument::IniDocument(std::string_view bytes) : FWrittenAsRead(EveryLineEndsInCrLf(bytes))
{
    for (AnsiString& text : SplitLines(bytes))
        FLines.push_back(Parse(std::move(text)));
    Index();
}

void IniDocument::Index()
{
    FSections.clear();
    SectionPlace* current = nullptr; // while in the first section of its name
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        const Line& line = FLines[i];
        if (line.isSection) {
            if (current)
                current->range.end = i;
            auto [place, first] = FSections.try_emplace(Folded(line.name), SectionPlace {{i, i + 1}, {}});
            current = first ? &place->second : nullptr;
        } else if (current && !line.name.empty()) {
            current->keys.try_emplace(Folded(line.name), i - current->range.header);
        }
    }
    if (current)
        current->range.end = FLines.size();
}

// A key line inserted into a section moves the lines after it: the sections there move along, and
// the keys of the section it goes into lie before it. A line that starts a section of its own
// (a key written as "[name]") changes the layout, which is indexed anew.
void IniDocument::InsertLine(std::size_t at, Line line)
{
    const bool isSection = line.isSection;
    const AnsiString name = line.name;
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    if (isSection) {
        Index();
        return;
    }
    for (auto& [folded, place] : FSections) {
        if (place.range.header >= at) {
            ++place.range.header;
            ++place.range.end;
        } else if (place.range.end >= at) {
            ++place.range.end;
            if (!name.empty())
                place.keys.try_emplace(Folded(name), at - place.range.header);
        }
    }
}

// "[name]" with blanks allowed around it and around the name; "key=value" with blanks allowed
// around the key. Lines starting with ';' are comments; everything else is kept but ignored.
IniDocument::Line IniDocument::Parse(AnsiString text)
{
    Line line;
    std::string_view trimmed = TrimView(text);
    if (!trimmed.empty() && trimmed.front() == '[') {
        std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            line.name = AnsiString(TrimView(trimmed.substr(1, close - 1)));
            line.isSection = true;
        }
    } else if (!trimmed.empty() && trimmed.front() != ';') {
        std::size_t equals = text.find('=');
        if (equals != AnsiString::npos) {
            line.name = AnsiString(TrimView(std::string_view(text).substr(0, equals)));
            line.valueStart = equals + 1;
        }
    }
    line.text = std::move(text);
    return line;
}

const IniDocument::SectionPlace* IniDocument::FindSection(const AnsiString& section) const
{
    auto place = FSections.find(Folded(section));
    return place == FSections.end() ? nullptr : &place->second;
}

std::optional<std::size_t> IniDocument::FindKey(const SectionPlace& section, const AnsiString& key) const
{
    auto found = section.keys.find(Folded(key));
    if (found == section.keys.end())
        return std::nullopt;
    return section.range.header + found->second;
}

bool IniDocument::HasSection(const AnsiString& section) const
{
    return FindSection(section) != nullptr;
}

std::optional<AnsiString> IniDocument::Value(const AnsiString& section, const AnsiString& key) const
{
    const SectionPlace* place = FindSection(section);
    if (!place || key.empty())
        return std::nullopt;
    auto index = FindKey(*place, key);
    if (!index)
        return std::nullopt;
    const Line& line = FLines[*index];
    std::string_view value = TrimView(std::string_view(line.text).substr(line.valueStart));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return AnsiString(value);
}

std::vector<AnsiString> IniDocument::Keys(const AnsiString& section) const
{
    std::vector<AnsiString> keys;
    std::unordered_set<AnsiString> seen;
    if (const SectionPlace* place = FindSection(section))
        for (std::size_t i = place->range.header + 1; i < place->range.end; ++i)
            if (!FLines[i].name.empty())
                AddOnce(keys, seen, FLines[i].name);
    return keys;
}

std::vector<AnsiString> IniDocument::Sections() const
{
    std::vector<AnsiString> sections;
    std::unordered_set<AnsiString> seen;
    for (const Line& line : FLines)
        if (line.isSection)
            AddOnce(sections, seen, line.name);
    return sections;
}

bool IniDocument::Holds(const AnsiString& section, const AnsiString& key, const AnsiString& value) const
{
    const SectionPlace* place = FindSection(section);
    const std::optional<std::size_t> index = place ? FindKey(*place, OneLine(key)) : std::nullopt;
    if (!index)
        return false;
    const Line& line = FLines[*index];
    return WithValue(line.text, line.valueStart, OneLine(value)) == line.text;
}

void IniDocument::SetValue(const AnsiString& section, const AnsiString& key, const AnsiString& value)
{
    FWrittenAsRead = false;
    const AnsiString cleanKey = OneLine(key);
    const AnsiString cleanValue = OneLine(value);
    if (const SectionPlace* place = FindSection(section)) {
        if (auto index = FindKey(*place, cleanKey)) {
            const Line& line = FLines[*index];
            FLines[*index] = Parse(WithValue(line.text, line.valueStart, cleanValue));
            return;
        }
        // New keys go after the section's last non-blank line, before the blank lines that
        // part it from the next section.
        const Range range = place->range;
        std::size_t at = range.end;
        while (at > range.header + 1 && TrimView(FLines[at - 1].text).empty())
            --at;
        InsertLine(at, Parse(cleanKey + "=" + cleanValue));
        return;
    }
    if (!FLines.empty() && !TrimView(FLines.back().text).empty())
        FLines.push_back(Parse(AnsiString()));
    FLines.push_back(Parse("[" + OneLine(section) + "]"));
    FLines.push_back(Parse(cleanKey + "=" + cleanValue));
    Index();
}

void IniDocument::EraseSection(const AnsiString& section)
{
    FWrittenAsRead = false;
    if (const SectionPlace* place = FindSection(section)) {
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(place->range.header),
                     FLines.begin() + static_cast<std::ptrdiff_t>(place->range.end));
        Index();
    }
}

void IniDocument::DeleteKey(const AnsiString& section, const AnsiString& key)
{
    FWrittenAsRead = false;
    const SectionPlace* place = FindSection(section);
    if (!place)
        return;
    if (auto index = FindKey(*place, key)) {
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(*index));
        Index();
    }
}

AnsiString IniDocument::Bytes() const
{
    AnsiString out;
    for (const Line& line : FLines) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}
