#include "net/SendBuf.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr int kDefaultSize = 1514; // an Ethernet frame
} // namespace

TBuffer::TBuffer(int size)
{
    SetBufSize(size);
}

void TBuffer::SetBufSize(int newSize)
{
    if (newSize <= 0)
        newSize = kDefaultSize;
    newSize = std::max(newSize, FWritePos);
    if (newSize == FCapacity)
        return;
    auto bytes = std::make_unique<char[]>(static_cast<std::size_t>(newSize));
    if (FWritePos > FReadPos)
        std::memcpy(bytes.get(), FBytes.get(), static_cast<std::size_t>(FWritePos));
    FBytes = std::move(bytes);
    FCapacity = newSize;
}

int TBuffer::Write(const void* data, int length)
{
    int free = FCapacity - FWritePos;
    if (free < 1 || length < 1 || !data)
        return 0;
    int taken = std::min(length, free);
    std::memcpy(FBytes.get() + FWritePos, data, static_cast<std::size_t>(taken));
    FWritePos += taken;
    return taken;
}

const char* TBuffer::Peek(int& length) const
{
    length = FWritePos - FReadPos;
    if (length > 0)
        return FBytes.get() + FReadPos;
    length = 0;
    return nullptr;
}

int TBuffer::Remove(int length)
{
    int available = FWritePos - FReadPos;
    if (available < 1 || length < 1)
        return 0;
    int removed = std::min(length, available);
    FReadPos += removed;
    if (FReadPos == FWritePos)
        FReadPos = FWritePos = 0;
    return removed;
}
