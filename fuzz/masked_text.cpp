// Feeds arbitrary bytes to the edit-mask text as a mask, a text set from outside (the alarm
// file's time field, the clipboard) and a run of edits. The shown text always has one character
// per place, the cursor stays within the text, and nothing may crash.
#include "platform/forms/MaskedText.h"
#include <cstddef>
#include <cstdint>
#include "FuzzCheck.h"

namespace {

void CheckShape(const MaskedText& text)
{
    Check(static_cast<int>(text.EditText().size()) == text.Length());
    Check(static_cast<int>(text.Text().size()) <= text.Length());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    std::size_t maskLength = data[0] % (size - 1);
    std::size_t textLength = data[1] % (size - 1 - maskLength + 1);
    const char* bytes = reinterpret_cast<const char*>(data + 2);
    std::size_t left = size - 2;
    maskLength = maskLength > left ? left : maskLength;
    AnsiString mask(bytes, maskLength);
    left -= maskLength;
    textLength = textLength > left ? left : textLength;
    AnsiString value(bytes + maskLength, textLength);
    left -= textLength;

    MaskedText text(mask);
    CheckShape(text);
    text.SetText(value);
    CheckShape(text);
    AnsiString saved = text.Text();
    MaskedText again(mask);
    again.SetText(saved);
    CheckShape(again);

    int cursor = 0;
    const char* edits = bytes + maskLength + textLength;
    for (std::size_t i = 0; i + 1 < left; i += 2) {
        char c = edits[i + 1];
        switch (static_cast<unsigned char>(edits[i]) % 5) {
        case 0: cursor = text.Type(cursor, c); break;
        case 1: cursor = text.Backspace(cursor); break;
        case 2: cursor = text.DeleteAt(cursor); break;
        case 3: cursor = static_cast<unsigned char>(c) % (text.Length() + 1); break;
        default: text.Clear(cursor, cursor + static_cast<unsigned char>(c) % 4); break;
        }
        Check(cursor >= 0 && cursor <= text.Length());
        CheckShape(text);
        text.Complete();
    }
    return 0;
}
