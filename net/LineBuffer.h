// The bytes a line-mode socket holds until a whole line is in: finding line ends and the simple
// line editing of a terminal (backspace and tab), apart from the socket so that it can be fuzzed.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstddef>

class LineBuffer {
public:
    const AnsiString& Data() const { return FData; }
    std::size_t Size() const { return FData.size(); }
    bool Empty() const { return FData.empty(); }

    void Append(const char* bytes, std::size_t count) { FData.append(bytes, count); }
    // Takes up to `count` bytes from the front into `out`; returns how many.
    std::size_t Take(char* out, std::size_t count);
    void Drop(std::size_t count);
    void Clear() { FData.clear(); }

    // Length of the first line (its end included) whose end begins at or after `searchFrom`;
    // 0 when no complete line is held.
    std::size_t LineLength(const AnsiString& lineEnd, std::size_t searchFrom = 0) const;

    // Edits the bytes from `from` to the end as typed text: a backspace removes itself and the
    // byte before it (never reaching before the first byte), a tab becomes blanks up to the next
    // multiple of 8. Returns what a terminal should be sent back to show the result.
    AnsiString Edit(std::size_t from);

private:
    AnsiString FData;
};
