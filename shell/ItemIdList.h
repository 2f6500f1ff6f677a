// Item-identifier lists: a sequence of items, each beginning with its 16-bit byte count (the
// count included), ended by a zero count. Lists live in blocks of the C allocator. Here an item
// holds the name of one folder or file below the one before, starting at the file system's root,
// so a list names a path.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

#pragma pack(push, 1)
struct SHITEMID {
    std::uint16_t cb;
    std::uint8_t abID[1];
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)

// Frees a list; nothing for null.
void FreeItemIdList(ITEMIDLIST* list);
// The item after this one (the address plus the item's count).
ITEMIDLIST* NextItemId(const ITEMIDLIST* list);
// The list's byte size with its 2-byte terminator; 0 for null.
unsigned ItemIdListSize(const ITEMIDLIST* list);
// A zero-filled block of `size` bytes, or null.
ITEMIDLIST* AllocItemIdList(unsigned size);
// A new list with the same bytes, or null (for null, or when no memory is left).
ITEMIDLIST* CopyItemIdList(const ITEMIDLIST* list);
// The absolute path the list names, or empty when it names none (null, no items, or an item
// that is no plain name: empty, ".", "..", or holding '/' or a zero byte).
AnsiString ItemIdListPath(const ITEMIDLIST* list);
