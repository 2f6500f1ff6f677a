// Screen: the primary screen's size and the mouse cursor shown over every window.
#pragma once
#include <QtCore/qnamespace.h>

// Any number may name a cursor: the built-in ones below, and more registered with SetCursors.
enum TCursor : int { crDefault = 0, crArrow = -2, crHourGlass = -11, crHandPoint = -21 };

class TScreen {
public:
    int Width() const;
    int Height() const;
    TCursor Cursor() const { return FCursor; }
    // Anything but crDefault overrides the cursor of every window until it is set back.
    void SetCursor(TCursor cursor);
    // Registers (or replaces) cursor `index` as the desktop's cursor of that shape.
    void SetCursors(TCursor index, Qt::CursorShape shape);
    bool HasCursor(TCursor index) const;

private:
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
