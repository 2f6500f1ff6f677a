// The lines of one INI file and the private-profile rules for finding and changing them. Used
// by TIniFile for each call; every line not changed is written back byte for byte.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

class IniDocument {
public:
    explicit IniDocument(std::string_view bytes);

    // The first section of that name, ignoring the case of every Windows-1252 letter.
    bool HasSection(const AnsiString& section) const;
    // The value of the first such key in that section: trimmed, one pair of matching quotes off.
    std::optional<AnsiString> Value(const AnsiString& section, const AnsiString& key) const;
    // Key names of the section and names of the sections, first spelling, each once.
    std::vector<AnsiString> Keys(const AnsiString& section) const;
    std::vector<AnsiString> Sections() const;

    void SetValue(const AnsiString& section, const AnsiString& key, const AnsiString& value);
    void EraseSection(const AnsiString& section);
    void DeleteKey(const AnsiString& section, const AnsiString& key);

    // The lines, each ended by CR LF.
    AnsiString Bytes() const;

private:
    struct Line {
        AnsiString text;
        AnsiString name;  // section or key name; empty for other lines
        std::size_t valueStart = 0;
        bool isSection = false;
    };
    struct Range {
        std::size_t header;  // the section's own line
        std::size_t end;     // one past its last line
    };

    static Line Parse(AnsiString text);
    std::optional<Range> FindSection(const AnsiString& section) const;
    std::optional<std::size_t> FindKey(const Range& range, const AnsiString& key) const;

    std::vector<Line> FLines;
};
