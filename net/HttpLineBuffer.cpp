#include "net/HttpLineBuffer.h"
#include <cstring>

char* HttpLineBuffer::FreeSpace(int& length)
{
    if (FStart > 0) {
        std::memmove(FBytes, FBytes + FStart, static_cast<std::size_t>(FEnd - FStart));
        FEnd -= FStart;
        FStart = 0;
    }
    length = kCapacity - FEnd;
    return FBytes + FEnd;
}

void HttpLineBuffer::Added(int count)
{
    if (count > 0)
        FEnd += count;
    FBytes[FEnd] = 0;
}

bool HttpLineBuffer::TakeLine(AnsiString& line, int& raw)
{
    // NUL bytes are data here: a line ends only at LF.
    const void* lf = std::memchr(FBytes + FStart, '\n', static_cast<std::size_t>(FEnd - FStart));
    if (!lf)
        return false;
    int end = static_cast<int>(static_cast<const char*>(lf) - FBytes);
    raw = end + 1 - FStart;
    int textEnd = (end > FStart && FBytes[end - 1] == '\r') ? end - 1 : end;
    line.assign(FBytes + FStart, static_cast<std::size_t>(textEnd - FStart));
    FStart = end + 1;
    return true;
}

const char* HttpLineBuffer::Unread(int back, int& length) const
{
    int from = FStart - back < 0 ? 0 : FStart - back;
    length = FEnd - from;
    return FBytes + from;
}
