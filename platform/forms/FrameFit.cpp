#include "platform/forms/FrameFit.h"
#include <algorithm>

int SaneCoordinate(int value)
{
    return std::clamp(value, -kFarthestCoordinate, kFarthestCoordinate);
}

namespace {

// One dimension: the length cut to the room, the start moved into it.
void FitSpan(long long start, long long length, long long roomStart, long long roomLength, int& outStart, int& outLength)
{
    length = std::clamp(length, 0LL, std::max(0LL, roomLength));
    start = std::clamp(start, roomStart, roomStart + std::max(0LL, roomLength) - length);
    outStart = static_cast<int>(start);
    outLength = static_cast<int>(length);
}

} // namespace

TRect FitFrame(const TRect& frame, const TRect& area)
{
    int left = 0, top = 0, width = 0, height = 0;
    FitSpan(frame.Left, static_cast<long long>(frame.Right) - frame.Left, area.Left,
            static_cast<long long>(area.Right) - area.Left, left, width);
    FitSpan(frame.Top, static_cast<long long>(frame.Bottom) - frame.Top, area.Top,
            static_cast<long long>(area.Bottom) - area.Top, top, height);
    return Bounds(left, top, width, height);
}

int FitShare(int wanted, int space, int minimum)
{
    minimum = std::max(0, minimum);
    return std::clamp(wanted, minimum, std::max(minimum, space - minimum));
}
