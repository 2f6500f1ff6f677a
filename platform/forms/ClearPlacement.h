// Placing a window beside another instead of over it, so both can be seen.
#pragma once
#include <QPoint>
#include <QRect>
#include <optional>

class QWidget;

// Where `frame` goes so it no longer overlaps `obstacle`: below, above, right or left of it,
// `gap` pixels away, wholly within `area`; of those that fit, the one nearest to where it is.
// Nothing when it already lies clear, or when it fits beside the obstacle nowhere.
std::optional<QPoint> PlaceClearOf(const QRect& frame, const QRect& obstacle, const QRect& area, int gap);

// Moves the window (a top-level widget) clear of `obstacle`'s frame on the obstacle's screen.
void MoveClearOf(QWidget* window, const QWidget* obstacle);
