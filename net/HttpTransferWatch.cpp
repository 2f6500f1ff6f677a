#include "net/HttpTransferWatch.h"
#include <algorithm>

void HttpTransferWatch::SetInactivityLimit(int milliseconds)
{
    FInactivityLimit = std::max(1, milliseconds);
}

void HttpTransferWatch::SetWindow(int milliseconds)
{
    FWindow = std::max(1, milliseconds);
}

void HttpTransferWatch::Start(std::int64_t now)
{
    FLastActivity = now;
    FWindowStart = now;
    FWindowBytes = 0;
}

void HttpTransferWatch::Moved(std::int64_t bytes, std::int64_t now)
{
    FLastActivity = now;
    FWindowBytes += bytes;
}

bool HttpTransferWatch::Stalled(std::int64_t now)
{
    if (now - FLastActivity >= FInactivityLimit)
        return true;
    if (now - FWindowStart < FWindow)
        return false;
    if (FWindowBytes < kMinimumBytes)
        return true;
    FWindowStart = now;
    FWindowBytes = 0;
    return false;
}
