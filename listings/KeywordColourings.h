// The keyword colourings with a look-up that passes over a text once per keyword length instead
// of once per keyword: a thousand colourings of hundreds of keywords cost about what a few do.
#pragma once
#include "listings/SettingEntries.h"
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// A keyword found in a text: the colouring's index in the entries and the keyword's in its list.
struct KeywordMatch {
    int colouring;
    int keyword;
};

class KeywordColourings {
public:
    explicit KeywordColourings(std::vector<ColouringEntry> entries);
    KeywordColourings(const KeywordColourings&) = delete;
    KeywordColourings& operator=(const KeywordColourings&) = delete;

    const std::vector<ColouringEntry>& Entries() const { return FEntries; }
    // The first colouring, in priority order, one of whose keywords the text holds; -1 for none.
    // A colouring whose tag is no colour mark ("<c:name>") colours no list, so it is never found.
    int FirstMatch(std::string_view text) const;
    // Every keyword of every colouring that the text holds, whatever the tag, colourings in
    // priority order and each one's keywords in their order: a keyword listed twice is there twice.
    // An empty keyword matches nothing.
    std::vector<KeywordMatch> EveryMatch(std::string_view text) const;

private:
    struct Keyword {
        std::string_view text;    // into FEntries
        int firstMarked = -1;     // the first colouring with a colour mark that lists it
        std::size_t matches = 0;  // where its places in the colourings begin in FMatches
        std::size_t count = 0;
    };
    struct Slot {
        std::uint64_t key = 0;
        int keyword = -1;
    };
    std::size_t SlotOf(std::uint64_t key, std::string_view text) const;
    int Lookup(std::uint64_t key, std::string_view text) const;
    int Insert(std::uint64_t key, std::string_view text);
    void KeepPlaces(const std::vector<KeywordMatch>& places, const std::vector<int>& keywordOf);
    template <typename Found>
    void FindKeywords(std::string_view text, Found found) const;

    std::vector<ColouringEntry> FEntries;
    std::vector<Keyword> FKeywords;       // each keyword once
    std::vector<KeywordMatch> FMatches;   // each keyword's places, the keywords one after another
    std::vector<std::size_t> FLengths;    // of the keywords, each once, shortest first
    std::vector<Slot> FSlots;             // open addressing, a power of two long
    std::vector<std::uint64_t> FFilter;   // a bit per key class: most places of a text miss here
};

// The colourings of the settings as they are now, made again only when the settings changed.
std::shared_ptr<const KeywordColourings> CurrentColourings();
