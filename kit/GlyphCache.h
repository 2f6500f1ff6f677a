// The image lists that speed-button glyphs keep their state pictures in: one list per picture
// size, shared by every button through one cache. Slots are reused lowest first; a list whose
// last picture is released goes away, and the cache with the last glyph holder.
#pragma once
#include "kit/KitImageList.h"
#include <memory>
#include <vector>

class TGlyphList : public TKitImageList {
public:
    using TKitImageList::TKitImageList;

    // Stores the picture in the lowest free slot (growing by one when none is free).
    int AddMasked(const QImage& picture, TColor maskColor);
    void Release(int index);
    // Slots in use.
    int UsedCount() const { return FUsedCount; }

private:
    std::vector<bool> FUsed;
    int FUsedCount = 0;
};

class TGlyphCache {
public:
    // The list for pictures of this size, made when there is none.
    TGlyphList* GetList(int width, int height);
    // A list without pictures is freed.
    void ReturnList(TGlyphList* list);
    int ListCount() const { return static_cast<int>(FLists.size()); }
    bool Empty() const { return FLists.empty(); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FLists;
};

// The one cache, alive while glyph holders exist (nullptr otherwise).
TGlyphCache* SharedGlyphCache();
void AcquireGlyphCache();
void ReleaseGlyphCache();
