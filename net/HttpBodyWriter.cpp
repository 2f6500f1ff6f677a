#include "net/HttpBodyWriter.h"
#include <cstring>

void HttpBodyWriter::Start(TStream* destination)
{
    FStream = destination;
    FUsed = 0;
    if (FStream && !FBlock)
        FBlock = std::make_unique<char[]>(kBlock);
}

void HttpBodyWriter::Write(const char* data, std::size_t length)
{
    if (!FStream)
        return;
    if (FUsed + length > kBlock)
        Flush();
    if (length >= kBlock) {
        FStream->WriteBuffer(data, static_cast<std::int64_t>(length));
        return;
    }
    std::memcpy(FBlock.get() + FUsed, data, length);
    FUsed += length;
}

void HttpBodyWriter::Flush()
{
    if (!FStream || FUsed == 0)
        return;
    const std::size_t used = FUsed;
    FUsed = 0;
    FStream->WriteBuffer(FBlock.get(), static_cast<std::int64_t>(used));
}
