// The pixels of one drawn row of an owner-drawn list, and tests on its columns.
#pragma once
#include "platform/forms/ListBox.h"
#include <QAbstractScrollArea>
#include <QImage>
#include <algorithm>

namespace fixture {

inline QImage ListRowImage(TListBox& list, int index)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(list.Widget());
    QWidget* viewport = area ? area->viewport() : list.Widget();
    const TRect rect = list.ItemRect(index);
    return viewport->grab(QRect(rect.Left, rect.Top, rect.Width(), rect.Height())).toImage();
}

inline bool Dark(QColor c)
{
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

inline bool Red(QColor c)
{
    return c.red() > 150 && c.green() < 90 && c.blue() < 90;
}

// Whether any pixel of the columns [from, to) passes the test.
template <typename Test>
bool AnyPixel(const QImage& image, int from, int to, Test test)
{
    for (int x = std::max(from, 0); x < std::min(to, image.width()); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (test(image.pixelColor(x, y)))
                return true;
    return false;
}

} // namespace fixture
