// TIconList: an owned, ordered list of icons with a change event, written to and read from a
// stream as a count followed by each icon's size and bytes (32-bit little-endian; size 0 for an
// empty entry). An entry may be empty (no icon) after reading. Changes made inside
// BeginUpdate/EndUpdate raise one OnChange at the end.
#pragma once
#include "kit/Icon.h"
#include "platform/core/Filer.h"
#include <functional>
#include <memory>
#include <vector>

class TIconList : public TPersistent {
public:
    TIconList() = default;
    ~TIconList() override;
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    int Count() const { return static_cast<int>(FIcons.size()); }
    // The icon at index, nullptr for an empty entry; EListError "List index out of bounds (%d)"
    // outside the list.
    TIcon* Get(int index) const;
    // The entry takes a copy of the icon; index Count appends.
    void Put(int index, const TIcon* icon);
    // Appends a copy (nullptr: an empty icon); returns its index.
    int Add(const TIcon* icon);
    int AddResource(const AnsiString& name);
    void Insert(int index, const TIcon* icon);
    void InsertResource(int index, const AnsiString& name);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    int IndexOf(const TIcon* icon) const;
    void Assign(const TIconList* source);
    void Assign(const TIcon* source);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // In a form stream the list is the raw-bytes property "Icons" in the format above, written
    // when it has entries that are not the very icons of its ancestor's.
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    void CheckIndex(int index, int limit) const;
    bool DiffersFrom(const TPersistent* ancestor) const;
    // Runs body inside one update, also when it raises.
    void InUpdate(const std::function<void()>& body);
    int AddIcon(std::unique_ptr<TIcon> icon);
    void Link(TIcon* icon);

    std::vector<std::unique_ptr<TIcon>> FIcons;
    int FUpdateCount = 0;
};
