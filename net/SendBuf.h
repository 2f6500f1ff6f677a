// TBuffer: one fixed-size block of the socket's send queue.
#pragma once
#include "platform/core/Object.h"
#include <memory>

class TBuffer : public TObject {
public:
    explicit TBuffer(int size);

    // A size of 0 or less means 1514. Never drops written bytes: a size below WritePos is raised
    // to WritePos.
    void SetBufSize(int newSize);
    // Appends what fits and returns how many bytes were taken.
    int Write(const void* data, int length);
    // The unread bytes (null and 0 when there are none).
    const char* Peek(int& length) const;
    // Consumes up to `length` unread bytes and returns how many; an emptied block starts over.
    int Remove(int length);

    int Capacity() const { return FCapacity; }
    int WritePos() const { return FWritePos; }
    int ReadPos() const { return FReadPos; }

private:
    std::unique_ptr<char[]> FBytes;
    int FCapacity = 0;
    int FWritePos = 0;
    int FReadPos = 0;
};
