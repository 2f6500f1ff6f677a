#include "platform/forms/ClearPlacement.h"
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

// The coordinate nearest to `wanted` that keeps a length within [low, high); `wanted` when the
// length is longer than the span.
int ClampInto(int wanted, int length, int low, int high)
{
    return high - low < length ? wanted : std::clamp(wanted, low, high - length);
}

} // namespace

std::optional<QPoint> PlaceClearOf(const QRect& frame, const QRect& obstacle, const QRect& area, int gap)
{
    if (!frame.intersects(obstacle))
        return std::nullopt;
    const int x = ClampInto(frame.x(), frame.width(), area.left(), area.right() + 1);
    const int y = ClampInto(frame.y(), frame.height(), area.top(), area.bottom() + 1);
    const std::vector<QPoint> sides = {
        {x, obstacle.bottom() + 1 + gap},
        {x, obstacle.top() - gap - frame.height()},
        {obstacle.right() + 1 + gap, y},
        {obstacle.left() - gap - frame.width(), y},
    };
    std::optional<QPoint> best;
    for (const QPoint& side : sides) {
        if (!area.contains(QRect(side, frame.size())))
            continue;
        if (!best || (side - frame.topLeft()).manhattanLength() < (*best - frame.topLeft()).manhattanLength())
            best = side;
    }
    return best;
}

void MoveClearOf(QWidget* window, const QWidget* obstacle)
{
    const QScreen* screen = obstacle->screen();
    if (!screen)
        return;
    constexpr int kGap = 8;
    // A top-level widget's position is its frame's.
    if (const auto place = PlaceClearOf(window->frameGeometry(), obstacle->frameGeometry(),
                                        screen->availableGeometry(), kGap))
        window->move(*place);
}
