#include "shell/IconList.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

TIconList::~TIconList()
{
    OnChange = nullptr;
}

TIcon* TIconList::Icons(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FIcons[static_cast<std::size_t>(index)].get();
}

int TIconList::Add(const TIcon* icon)
{
    auto copy = std::make_unique<TIcon>();
    if (icon)
        copy->Assign(*icon);
    copy->OnChange = [this](TObject*) { Changed(); };
    FIcons.push_back(std::move(copy));
    Changed();
    return Count() - 1;
}

void TIconList::Clear()
{
    FIcons.clear();
    Changed();
}

void TIconList::Assign(const TIconList& other)
{
    if (&other == this)
        return;
    FUpdating = true;
    FIcons.clear();
    for (const auto& icon : other.FIcons)
        Add(icon.get());
    FUpdating = false;
    Changed();
}

void TIconList::Changed()
{
    if (!FUpdating)
        if (auto handler = OnChange)
            handler(this);
}
