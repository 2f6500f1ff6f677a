#include "kit/IconList.h"
#include <algorithm>
#include "platform/core/ScopeExit.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"

namespace {

// False when the stream ended before four bytes.
bool ReadInt32(TStream& stream, std::int32_t& value)
{
    unsigned char bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
    return true;
}

void WriteInt32(TStream& stream, std::int32_t value)
{
    auto bits = static_cast<std::uint32_t>(value);
    unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                              static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    stream.WriteBuffer(bytes, 4);
}

std::unique_ptr<TIcon> CopyOf(const TIcon* icon)
{
    auto copy = std::make_unique<TIcon>();
    copy->Assign(icon);
    return copy;
}

} // namespace

TIconList::~TIconList()
{
    OnChange = nullptr;
    Clear();
}

void TIconList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TIconList::InUpdate(const std::function<void()>& body)
{
    BeginUpdate();
    ScopeExit endUpdate([this] { EndUpdate(); });
    body();
}

void TIconList::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TIconList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

void TIconList::Link(TIcon* icon)
{
    if (icon)
        icon->OnChange = [this](TObject*) { Changed(); };
}

TIcon* TIconList::Get(int index) const
{
    CheckIndex(index, Count());
    return FIcons[static_cast<std::size_t>(index)].get();
}

int TIconList::AddIcon(std::unique_ptr<TIcon> icon)
{
    Link(icon.get());
    FIcons.push_back(std::move(icon));
    Changed();
    return Count() - 1;
}

void TIconList::Put(int index, const TIcon* icon)
{
    CheckIndex(index, Count() + 1);
    InUpdate([&] {
        if (index == Count())
            AddIcon(std::make_unique<TIcon>());
        auto& entry = FIcons[static_cast<std::size_t>(index)];
        if (!entry)
            entry = std::make_unique<TIcon>();
        Link(entry.get());
        entry->Assign(icon);
    });
}

int TIconList::Add(const TIcon* icon)
{
    return AddIcon(CopyOf(icon));
}

int TIconList::AddResource(const AnsiString& name)
{
    auto icon = std::make_unique<TIcon>();
    icon->LoadResource(name);
    return AddIcon(std::move(icon));
}

void TIconList::Insert(int index, const TIcon* icon)
{
    CheckIndex(index, Count() + 1);
    std::unique_ptr<TIcon> copy = CopyOf(icon);
    Link(copy.get());
    FIcons.insert(FIcons.begin() + index, std::move(copy));
    Changed();
}

void TIconList::InsertResource(int index, const AnsiString& name)
{
    CheckIndex(index, Count() + 1);
    TIcon icon;
    icon.LoadResource(name);
    Insert(index, &icon);
}

void TIconList::Delete(int index)
{
    CheckIndex(index, Count());
    auto& entry = FIcons[static_cast<std::size_t>(index)];
    if (entry)
        entry->OnChange = nullptr;
    FIcons.erase(FIcons.begin() + index);
    Changed();
}

void TIconList::Clear()
{
    BeginUpdate();
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
    EndUpdate();
}

void TIconList::Exchange(int index1, int index2)
{
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(FIcons[static_cast<std::size_t>(index1)], FIcons[static_cast<std::size_t>(index2)]);
    Changed();
}

void TIconList::Move(int curIndex, int newIndex)
{
    CheckIndex(curIndex, Count());
    CheckIndex(newIndex, Count());
    if (curIndex != newIndex) {
        std::unique_ptr<TIcon> icon = std::move(FIcons[static_cast<std::size_t>(curIndex)]);
        FIcons.erase(FIcons.begin() + curIndex);
        FIcons.insert(FIcons.begin() + newIndex, std::move(icon));
    }
    Changed();
}

int TIconList::IndexOf(const TIcon* icon) const
{
    for (int i = 0; i < Count(); ++i)
        if (FIcons[static_cast<std::size_t>(i)].get() == icon)
            return i;
    return -1;
}

void TIconList::Assign(const TIconList* source)
{
    if (source == this)
        return;
    if (!source) {
        Clear();
        return;
    }
    InUpdate([&] {
        Clear();
        for (int i = 0; i < source->Count(); ++i)
            Add(source->Get(i));
    });
}

void TIconList::Assign(const TIcon* source)
{
    if (!source) {
        Clear();
        return;
    }
    InUpdate([&] {
        Clear();
        Add(source);
    });
}

// A stream that ends early ends the list there; a size beyond the stream's end is never
// allocated: the icon gets what is left and refuses it as an invalid image.
void TIconList::LoadFromStream(TStream& stream)
{
    InUpdate([&] {
        Clear();
        TMemoryStream buffer;
        std::int32_t count = 0;
        ReadInt32(stream, count);
        for (std::int32_t i = 0; i < count; ++i) {
            std::int32_t size = 0;
            if (!ReadInt32(stream, size))
                break;
            if (size <= 0) {
                AddIcon(nullptr);
                continue;
            }
            std::int64_t available = std::max<std::int64_t>(stream.Size() - stream.Position(), 0);
            std::string bytes(static_cast<std::size_t>(std::min<std::int64_t>(size, available)), '\0');
            bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(stream.Read(bytes.data(), static_cast<std::int64_t>(bytes.size())), 0)));
            buffer.Clear();
            buffer.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
            buffer.SetPosition(0);
            auto icon = std::make_unique<TIcon>();
            icon->LoadFromStream(buffer);
            AddIcon(std::move(icon));
        }
    });
}

void TIconList::SaveToStream(TStream& stream) const
{
    WriteInt32(stream, Count());
    TMemoryStream buffer;
    for (const auto& icon : FIcons) {
        buffer.Clear();
        if (icon && !icon->Empty())
            icon->SaveToStream(buffer);
        WriteInt32(stream, static_cast<std::int32_t>(buffer.Size()));
        if (buffer.Size() > 0)
            stream.WriteBuffer(buffer.Memory(), buffer.Size());
    }
}

void TIconList::DefineProperties(TFiler& filer)
{
    TPersistent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Icons", [this](TStream& stream) { LoadFromStream(stream); },
        [this](TStream& stream) { SaveToStream(stream); }, DiffersFrom(filer.Ancestor));
}

bool TIconList::DiffersFrom(const TPersistent* ancestor) const
{
    auto* other = dynamic_cast<const TIconList*>(ancestor);
    if (!other || other->Count() != Count())
        return Count() > 0;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other->Get(i))
            return true;
    return false;
}
