// The keyword colourings with a look-up that passes over a text once per keyword length instead
// of once per keyword: a thousand colourings of hundreds of keywords cost about what a few do.
// A colouring whose tag is no colour mark ("<c:name>") colours nothing, so it is never found.
#pragma once
#include "listings/SettingEntries.h"
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class KeywordColourings {
public:
    explicit KeywordColourings(std::vector<ColouringEntry> entries);
    KeywordColourings(const KeywordColourings&) = delete;
    KeywordColourings& operator=(const KeywordColourings&) = delete;

    const std::vector<ColouringEntry>& Entries() const { return FEntries; }
    // The first colouring, in priority order, one of whose keywords the text holds; -1 for none.
    // An empty keyword matches nothing.
    int FirstMatch(std::string_view text) const;

private:
    struct Keyword {
        std::string_view text; // into FEntries
        int colouring;
    };
    struct Slot {
        std::uint64_t key = 0;
        int keyword = -1;
    };
    const Slot* Find(std::uint64_t key, std::string_view text) const;

    std::vector<ColouringEntry> FEntries;
    std::vector<Keyword> FKeywords;       // each keyword once, with its first colouring
    std::vector<std::size_t> FLengths;    // of the keywords, each once, shortest first
    std::vector<Slot> FSlots;             // open addressing, a power of two long
    std::vector<std::uint64_t> FFilter;   // a bit per key class: most places of a text miss here
};

// The colourings of the settings as they are now, made again only when the settings changed.
std::shared_ptr<const KeywordColourings> CurrentColourings();
