// Screen: the primary screen's size and the mouse cursor shown over every window.
#pragma once

enum TCursor { crDefault = 0, crArrow = -2, crHourGlass = -11, crHandPoint = -21 };

class TScreen {
public:
    int Width() const;
    int Height() const;
    TCursor Cursor() const { return FCursor; }
    // Anything but crDefault overrides the cursor of every window until it is set back.
    void SetCursor(TCursor cursor);

private:
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
