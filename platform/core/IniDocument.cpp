#include "platform/core/IniDocument.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

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
AnsiString OneLine(const AnsiString& s)
{
    AnsiString out = s;
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

void AddOnce(std::vector<AnsiString>& names, const AnsiString& name)
{
    for (const AnsiString& seen : names)
        if (AnsiSameText(seen, name))
            return;
    names.push_back(name);
}

} // namespace

IniDocument::IniDocument(std::string_view bytes)
{
    for (AnsiString& text : SplitLines(bytes))
        FLines.push_back(Parse(std::move(text)));
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

std::optional<IniDocument::Range> IniDocument::FindSection(const AnsiString& section) const
{
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (!FLines[i].isSection || !AnsiSameText(FLines[i].name, section))
            continue;
        std::size_t end = i + 1;
        while (end < FLines.size() && !FLines[end].isSection)
            ++end;
        return Range {i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const Range& range, const AnsiString& key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i)
        if (!FLines[i].name.empty() && AnsiSameText(FLines[i].name, key))
            return i;
    return std::nullopt;
}

bool IniDocument::HasSection(const AnsiString& section) const
{
    return FindSection(section).has_value();
}

std::optional<AnsiString> IniDocument::Value(const AnsiString& section, const AnsiString& key) const
{
    auto range = FindSection(section);
    if (!range || key.empty())
        return std::nullopt;
    auto index = FindKey(*range, key);
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
    if (auto range = FindSection(section))
        for (std::size_t i = range->header + 1; i < range->end; ++i)
            if (!FLines[i].name.empty())
                AddOnce(keys, FLines[i].name);
    return keys;
}

std::vector<AnsiString> IniDocument::Sections() const
{
    std::vector<AnsiString> sections;
    for (const Line& line : FLines)
        if (line.isSection)
            AddOnce(sections, line.name);
    return sections;
}

void IniDocument::SetValue(const AnsiString& section, const AnsiString& key, const AnsiString& value)
{
    const AnsiString cleanKey = OneLine(key);
    const AnsiString cleanValue = OneLine(value);
    auto range = FindSection(section);
    if (range) {
        if (auto index = FindKey(*range, cleanKey)) {
            // The key keeps its spelling, its place and the blanks before the value.
            const Line& line = FLines[*index];
            std::size_t keep = line.valueStart;
            while (keep < line.text.size() && (line.text[keep] == ' ' || line.text[keep] == '\t'))
                ++keep;
            FLines[*index] = Parse(line.text.substr(0, keep) + cleanValue);
            return;
        }
        // New keys go after the section's last non-blank line, before the blank lines that
        // part it from the next section.
        std::size_t at = range->end;
        while (at > range->header + 1 && TrimView(FLines[at - 1].text).empty())
            --at;
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), Parse(cleanKey + "=" + cleanValue));
        return;
    }
    if (!FLines.empty() && !TrimView(FLines.back().text).empty())
        FLines.push_back(Parse(AnsiString()));
    FLines.push_back(Parse("[" + OneLine(section) + "]"));
    FLines.push_back(Parse(cleanKey + "=" + cleanValue));
}

void IniDocument::EraseSection(const AnsiString& section)
{
    if (auto range = FindSection(section))
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(range->header),
                     FLines.begin() + static_cast<std::ptrdiff_t>(range->end));
}

void IniDocument::DeleteKey(const AnsiString& section, const AnsiString& key)
{
    auto range = FindSection(section);
    if (!range)
        return;
    if (auto index = FindKey(*range, key))
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(*index));
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
