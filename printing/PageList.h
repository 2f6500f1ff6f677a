// TPageList: the pages of a document in their order; the list owns them.
#pragma once
#include "platform/services/Metafile.h"
#include <memory>
#include <vector>

class TPageList {
public:
    int Count() const { return static_cast<int>(FPages.size()); }
    // Page at 0-based index, or nullptr outside the list.
    TMetafile* Items(int index) const
    {
        return index >= 0 && index < Count() ? FPages[static_cast<std::size_t>(index)].get() : nullptr;
    }
    void Add(std::unique_ptr<TMetafile> page) { FPages.push_back(std::move(page)); }
    void Clear() { FPages.clear(); }

private:
    std::vector<std::unique_ptr<TMetafile>> FPages;
};
