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
    for (std::size_t c = 0; c < FEntries.size(); ++c)
        for (const AnsiString& keyword : FEntries[c].keywords) {
            if (keyword.empty() || !IsColourMark(FEntries[c].tag))
                continue;
            const std::uint64_t key = Mix(Hash(keyword), keyword.size());
            std::size_t at = key & (FSlots.size() - 1);
            bool known = false;
            for (; FSlots[at].keyword >= 0; at = (at + 1) & (FSlots.size() - 1))
                known = known || (FSlots[at].key == key && FKeywords[FSlots[at].keyword].text == keyword);
            if (known) // an earlier colouring has it already
                continue;
            FSlots[at] = {key, static_cast<int>(FKeywords.size())};
            FKeywords.push_back({keyword, static_cast<int>(c)});
            FFilter[(key >> 6) % FFilter.size()] |= std::uint64_t(1) << (key & 63);
            FLengths.push_back(keyword.size());
        }
    std::sort(FLengths.begin(), FLengths.end());
    FLengths.erase(std::unique(FLengths.begin(), FLengths.end()), FLengths.end());
}

const KeywordColourings::Slot* KeywordColourings::Find(std::uint64_t key, std::string_view text) const
{
    if (!(FFilter[(key >> 6) % FFilter.size()] & (std::uint64_t(1) << (key & 63))))
        return nullptr;
    for (std::size_t at = key & (FSlots.size() - 1); FSlots[at].keyword >= 0; at = (at + 1) & (FSlots.size() - 1))
        if (FSlots[at].key == key && FKeywords[FSlots[at].keyword].text == text)
            return &FSlots[at];
    return nullptr;
}

int KeywordColourings::FirstMatch(std::string_view text) const
{
    int first = -1;
    for (std::size_t length : FLengths) {
        if (length > text.size())
            break;
        const std::uint64_t leading = Power(length - 1);
        std::uint64_t hash = Hash(text.substr(0, length));
        for (std::size_t at = 0;; ++at) {
            if (const Slot* slot = Find(Mix(hash, length), text.substr(at, length))) {
                const int colouring = FKeywords[slot->keyword].colouring;
                if (first < 0 || colouring < first)
                    first = colouring;
                if (first == 0)
                    return 0;
            }
            if (at + length >= text.size())
                break;
            hash = (hash - static_cast<unsigned char>(text[at]) * leading) * kBase +
                   static_cast<unsigned char>(text[at + length]);
        }
    }
    return first;
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
