// Small text helpers of the kit.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstring>
#include <memory>

// The kit's default captions pass through here, the one place where they could be translated.
inline AnsiString PassThroughText(const AnsiString& text) { return text; }

// A zero-terminated copy for code that wants a C string it owns.
inline std::unique_ptr<char[]> NewCString(const AnsiString& text)
{
    auto buffer = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
    return buffer;
}
