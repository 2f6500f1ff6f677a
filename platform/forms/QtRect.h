// The crossing between our rectangles (right and bottom exclusive) and Qt's (width and height).
#pragma once
#include "platform/forms/Types.h"
#include <QRect>

inline TRect ToTRect(const QRect& rect)
{
    return Bounds(rect.x(), rect.y(), rect.width(), rect.height());
}

inline QRect ToQRect(const TRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}
