// The lines of one INI file and the private-profile rules for finding and changing them. Used
// by TIniFile; every line not changed is written back byte for byte. Names are found through an
// index of the first section of each name and its keys, so a look-up costs the same in a file of
// thousands of keys as in a small one.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>
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

    // True when SetValue with these would leave every line as it is.
    bool Holds(const AnsiString& section, const AnsiString& key, const AnsiString& value) const;
    // True while Bytes() give back the very bytes the document was read from: every line ended by
    // CR LF and nothing changed since.
    bool WrittenAsRead() const { return FWrittenAsRead; }

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
    // The first section of a name: its range and its keys' first lines, as offsets from the header.
    struct SectionPlace {
        Range range;
        std::unordered_map<AnsiString, std::size_t> keys;
    };

    static Line Parse(AnsiString text);
    void Index();
    void InsertLine(std::size_t at, Line line);
    const SectionPlace* FindSection(const AnsiString& section) const;
    std::optional<std::size_t> FindKey(const SectionPlace& section, const AnsiString& key) const;

    std::vector<Line> FLines;
    bool FWrittenAsRead = false;
    // Names folded to upper case, as every Windows-1252 letter compares.
    std::unordered_map<AnsiString, SectionPlace> FSections;
};
