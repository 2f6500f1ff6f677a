// The receive buffer of a response: bytes not yet handed on, split into lines at LF.
#pragma once
#include "platform/core/AnsiString.h"

class HttpLineBuffer {
public:
    // A header line, its line end included, must fit: 8192 bytes.
    static constexpr int kCapacity = 8192;

    // Where the next read may write, and how much room there is (the unread bytes are moved to
    // the front first).
    char* FreeSpace(int& length);
    // `count` bytes were written at FreeSpace.
    void Added(int count);

    // The next line without its LF and without a CR right before it; `raw` gets its length
    // with the line end. False while no LF has arrived.
    bool TakeLine(AnsiString& line, int& raw);
    // The unread bytes, starting `back` bytes before the read position (to give back a line
    // just taken), and how many there are from there.
    const char* Unread(int back, int& length) const;
    int Length() const { return FEnd - FStart; }
    bool Full() const { return FStart == 0 && FEnd == kCapacity; }
    void Clear() { FStart = FEnd = 0; }

private:
    char FBytes[kCapacity + 1] {};
    int FStart = 0;
    int FEnd = 0;
};
