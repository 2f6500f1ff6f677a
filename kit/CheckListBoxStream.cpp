// The check list in a form stream: its items with their states and enabled flags.
#include "kit/CheckListBox.h"
#include "platform/core/Exceptions.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace {

// The stream layout written now: text, state, enabled flag per item.
constexpr int kStreamVersion = 202;

TCheckBoxState StateOf(std::int32_t ordinal)
{
    if (ordinal < cbUnchecked || ordinal > cbGrayed)
        throw EReadError("Invalid property value");
    return static_cast<TCheckBoxState>(ordinal);
}

} // namespace

void TKitCheckListBox::DefineProperties(TFiler& filer)
{
    TKitCustomListBox::DefineProperties(filer);
    filer.DefineProperty(
        "InternalVersion", [this](TReader& reader) { FStreamVersion = reader.ReadInteger(); },
        [](TWriter& writer) { writer.WriteInteger(kStreamVersion); }, filer.Ancestor == nullptr);
    filer.DefineProperty(
        "Strings", [this](TReader& reader) { ReadStrings(reader); }, [this](TWriter& writer) { WriteStrings(writer); },
        StringsDiffer(filer.Ancestor));
}

bool TKitCheckListBox::StringsDiffer(const TPersistent* ancestor)
{
    auto* other = dynamic_cast<const TKitCheckListBox*>(ancestor);
    if (!other)
        return Count() > 0;
    if (other->Count() != Count())
        return Count() > 0;
    for (int i = 0; i < Count(); ++i)
        if (!AnsiSameText(ItemText(i), other->ItemText(i)) || State(i) != other->State(i) ||
            ItemEnabled(i) != other->ItemEnabled(i))
            return true;
    return false;
}

void TKitCheckListBox::WriteStrings(TWriter& writer)
{
    writer.WriteListBegin();
    for (int i = 0; i < Count(); ++i) {
        writer.WriteString(ItemText(i));
        writer.WriteInteger(State(i));
        writer.WriteBoolean(ItemEnabled(i));
    }
    writer.WriteListEnd();
}

void TKitCheckListBox::ReadStrings(TReader& reader)
{
    FReading = true;
    ScopeExit done([this] { FReading = false; });
    Items()->Clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        int index = Items()->Add(reader.ReadString());
        if (FStreamVersion >= kStreamVersion) {
            SetState(index, StateOf(reader.ReadInteger()));
            SetItemEnabled(index, reader.ReadBoolean());
        } else {
            SetChecked(index, reader.ReadBoolean());
            SetItemEnabled(index, reader.ReadBoolean());
            if (FStreamVersion > 0)
                SetState(index, StateOf(reader.ReadInteger()));
        }
    }
    reader.ReadListEnd();
    UpdateCheckStates();
}
