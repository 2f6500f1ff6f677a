#include "listings/KeywordColourings.h"
#include "listings/ProgrammeRow.h"
#include "listings/Settings.h"
#include <algorithm>
#include <bit>
#include <mutex>

namespace {

constexpr std::uint64_t kBase = 0x100000001B3ULL;

// A polynomial hash rolls along a text; the mix spreads it (and the length) over every bit.
std::uint64_t Mix(std::uint64_t hash, std::size_t length)
{
    hash ^= static_cast<std::uint64_t>(length) * 0x9E3779B97F4A7C15ULL;
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ULL;
    return hash ^ (hash >> 33);
}

std::uint64_t Hash(std::string_view text)
{
    std::uint64_t hash = 0;
    for (unsigned char c : text)
        hash = hash * kBase + c;
    return hash;
}

std::uint64_t Power(std::size_t exponent)
{
    std::uint64_t power = 1;
    for (std::size_t i = 0; i < exponent; ++i)
        power *= kBase;
    return power;
}

} // namespace

KeywordColourings::KeywordColourings(std::vector<ColouringEntry> entries) : FEntries(std::move(entries))
{
    std::size_t total = 0;
    for (const ColouringEntry& entry : FEntries)
        total += entry.keywords.size();
    FSlots.resize(std::bit_ceil(std::max<std::size_t>(16, 2 * total)));
    FFilter.resize(FSlots.size() / 8 + 1);
    std::vector<KeywordMatch> places;
    std::vector<int> keywordOf; // of each place
    for (std::size_t c = 0; c < FEntries.size(); ++c) {
        const bool marked = IsColourMark(FEntries[c].tag);
        const std::vector<AnsiString>& keywords = FEntries[c].keywords;
        for (std::size_t k = 0; k < keywords.size(); ++k) {
            if (keywords[k].empty())
                continue;
            const int id = Insert(Mix(Hash(keywords[k]), keywords[k].size()), keywords[k]);
            Keyword& keyword = FKeywords[static_cast<std::size_t>(id)];
            if (marked && keyword.firstMarked < 0)
                keyword.firstMarked = static_cast<int>(c);
            ++keyword.count;
            places.push_back({static_cast<int>(c), static_cast<int>(k)});
            keywordOf.push_back(id);
        }
    }
    KeepPlaces(places, keywordOf);
    std::sort(FLengths.begin(), FLengths.end());
    FLengths.erase(std::unique(FLengths.begin(), FLengths.end()), FLengths.end());
}

// Each keyword's places side by side, in the order the colourings list them.
void KeywordColourings::KeepPlaces(const std::vector<KeywordMatch>& places, const std::vector<int>& keywordOf)
{
    std::size_t next = 0;
    for (Keyword& keyword : FKeywords) {
        keyword.matches = next;
        next += keyword.count;
        keyword.count = 0;
    }
    FMatches.resize(next);
    for (std::size_t p = 0; p < places.size(); ++p) {
        Keyword& keyword = FKeywords[static_cast<std::size_t>(keywordOf[p])];
        FMatches[keyword.matches + keyword.count++] = places[p];
    }
}

// The slot that holds the keyword, or the free one where it would go.
std::size_t KeywordColourings::SlotOf(std::uint64_t key, std::string_view text) const
{
    std::size_t at = key & (FSlots.size() - 1);
    for (; FSlots[at].keyword >= 0; at = (at + 1) & (FSlots.size() - 1))
        if (FSlots[at].key == key && FKeywords[static_cast<std::size_t>(FSlots[at].keyword)].text == text)
            break;
    return at;
}

int KeywordColourings::Lookup(std::uint64_t key, std::string_view text) const
{
    if (!(FFilter[(key >> 6) % FFilter.size()] & (std::uint64_t(1) << (key & 63))))
        return -1;
    return FSlots[SlotOf(key, text)].keyword;
}

// The keyword's number, given to it when it is first seen.
int KeywordColourings::Insert(std::uint64_t key, std::string_view text)
{
    Slot& slot = FSlots[SlotOf(key, text)];
    if (slot.keyword < 0) {
        slot = {key, static_cast<int>(FKeywords.size())};
        FKeywords.push_back({text});
        FFilter[(key >> 6) % FFilter.size()] |= std::uint64_t(1) << (key & 63);
        FLengths.push_back(text.size());
    }
    return slot.keyword;
}

// Calls found(keyword) for each place of the text that holds a keyword, until it returns false.
template <typename Found>
void KeywordColourings::FindKeywords(std::string_view text, Found found) const
{
    for (std::size_t length : FLengths) {
        if (length > text.size())
            return;
        const std::uint64_t leading = Power(length - 1);
        std::uint64_t hash = Hash(text.substr(0, length));
        for (std::size_t at = 0;; ++at) {
            const int keyword = Lookup(Mix(hash, length), text.substr(at, length));
            if (keyword >= 0 && !found(keyword))
                return;
            if (at + length >= text.size())
                break;
            hash = (hash - static_cast<unsigned char>(text[at]) * leading) * kBase +
                   static_cast<unsigned char>(text[at + length]);
        }
    }
}

int KeywordColourings::FirstMatch(std::string_view text) const
{
    int first = -1;
    FindKeywords(text, [this, &first](int keyword) {
        const int colouring = FKeywords[static_cast<std::size_t>(keyword)].firstMarked;
        if (colouring >= 0 && (first < 0 || colouring < first))
            first = colouring;
        return first != 0;
    });
    return first;
}

std::vector<KeywordMatch> KeywordColourings::EveryMatch(std::string_view text) const
{
    std::vector<int> found;
    FindKeywords(text, [&found](int keyword) {
        found.push_back(keyword);
        return true;
    });
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::vector<KeywordMatch> matches;
    for (int id : found) {
        const Keyword& keyword = FKeywords[static_cast<std::size_t>(id)];
        const auto places = FMatches.begin() + static_cast<std::ptrdiff_t>(keyword.matches);
        matches.insert(matches.end(), places, places + static_cast<std::ptrdiff_t>(keyword.count));
    }
    std::sort(matches.begin(), matches.end(), [](const KeywordMatch& a, const KeywordMatch& b) {
        return a.colouring != b.colouring ? a.colouring < b.colouring : a.keyword < b.keyword;
    });
    return matches;
}

// Made from one reading of the settings, kept while the settings read are that same reading.
std::shared_ptr<const KeywordColourings> CurrentColourings()
{
    static std::mutex lock;
    static std::weak_ptr<const IniDocument> madeFrom;
    static std::shared_ptr<const KeywordColourings> made;
    const std::shared_ptr<const IniDocument> settings = SettingsDocument();
    std::lock_guard<std::mutex> guard(lock);
    if (!made || madeFrom.lock() != settings) {
        made = std::make_shared<const KeywordColourings>(ColouringEntriesOf(*settings));
        madeFrom = settings;
    }
    return made;
}
