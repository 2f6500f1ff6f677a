#include "shell/ItemIdList.h"
#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned kCountSize = sizeof(std::uint16_t);

std::uint16_t CountOf(const ITEMIDLIST* item)
{
    std::uint16_t count;
    std::memcpy(&count, item, kCountSize);
    return count;
}

// A count too small to hold itself can't start an item: it ends the list as zero does, where
// stepping by it would never move on.
bool EndsList(const ITEMIDLIST* item)
{
    return CountOf(item) < kCountSize;
}

} // namespace

void FreeItemIdList(ITEMIDLIST* list)
{
    std::free(list);
}

ITEMIDLIST* NextItemId(const ITEMIDLIST* list)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(list);
    return reinterpret_cast<ITEMIDLIST*>(const_cast<std::uint8_t*>(bytes + CountOf(list)));
}

unsigned ItemIdListSize(const ITEMIDLIST* list)
{
    if (!list)
        return 0;
    unsigned size = kCountSize;
    for (const ITEMIDLIST* item = list; !EndsList(item); item = NextItemId(item))
        size += CountOf(item);
    return size;
}

ITEMIDLIST* AllocItemIdList(unsigned size)
{
    return size == 0 ? nullptr : static_cast<ITEMIDLIST*>(std::calloc(1, size));
}

ITEMIDLIST* CopyItemIdList(const ITEMIDLIST* list)
{
    const unsigned size = ItemIdListSize(list);
    ITEMIDLIST* copy = AllocItemIdList(size);
    if (copy)
        std::memcpy(copy, list, size);
    return copy;
}

AnsiString ItemIdListPath(const ITEMIDLIST* list)
{
    if (!list || EndsList(list))
        return AnsiString();
    AnsiString path;
    for (const ITEMIDLIST* item = list; !EndsList(item); item = NextItemId(item)) {
        const AnsiString name(reinterpret_cast<const char*>(item) + kCountSize, CountOf(item) - kCountSize);
        if (name.empty() || name == "." || name == ".." || name.find_first_of(AnsiString("/\0", 2)) != AnsiString::npos)
            return AnsiString();
        path += '/' + name;
    }
    return path;
}
