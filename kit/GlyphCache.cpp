#include "kit/GlyphCache.h"
#include <algorithm>

int TGlyphList::AddMasked(const QImage& picture, TColor maskColor)
{
    auto free = std::find(FUsed.begin(), FUsed.end(), false);
    int index = static_cast<int>(free - FUsed.begin());
    if (free == FUsed.end()) {
        FUsed.push_back(true);
        Add(picture, maskColor);
    } else {
        *free = true;
        Replace(index, picture, maskColor);
    }
    ++FUsedCount;
    return index;
}

void TGlyphList::Release(int index)
{
    if (index < 0 || index >= static_cast<int>(FUsed.size()) || !FUsed[static_cast<std::size_t>(index)])
        return;
    FUsed[static_cast<std::size_t>(index)] = false;
    --FUsedCount;
}

TGlyphList* TGlyphCache::GetList(int width, int height)
{
    for (auto it = FLists.rbegin(); it != FLists.rend(); ++it)
        if ((*it)->Width() == width && (*it)->Height() == height)
            return it->get();
    FLists.push_back(std::make_unique<TGlyphList>(width, height));
    return FLists.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list)
{
    if (!list || list->UsedCount() > 0)
        return;
    FLists.erase(std::remove_if(FLists.begin(), FLists.end(), [list](const auto& held) { return held.get() == list; }),
                 FLists.end());
}

namespace {

struct CacheHolder {
    std::unique_ptr<TGlyphCache> cache;
    int holders = 0;
};

CacheHolder& Holder()
{
    static CacheHolder holder;
    return holder;
}

} // namespace

TGlyphCache* SharedGlyphCache()
{
    return Holder().cache.get();
}

void AcquireGlyphCache()
{
    CacheHolder& holder = Holder();
    ++holder.holders;
    if (!holder.cache)
        holder.cache = std::make_unique<TGlyphCache>();
}

void ReleaseGlyphCache()
{
    CacheHolder& holder = Holder();
    if (holder.holders > 0)
        --holder.holders;
    if (holder.cache && holder.cache->Empty() && holder.holders == 0)
        holder.cache.reset();
}
