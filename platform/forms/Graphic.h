// TGraphic: what every kind of picture offers (a bitmap, an icon, a recorded metafile): its size,
// whether it is empty, drawing itself, and whether it is drawn see-through.
#pragma once
#include "platform/core/Object.h"

class QPainter;

class TGraphic : public TObject {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // Draws the picture at its own size with its top-left corner at (x, y).
    virtual void Draw(QPainter& painter, int x, int y) const = 0;

    // Drawn with its see-through parts left out (a bitmap: pixels of its transparent colour).
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent) { FTransparent = transparent; }

private:
    bool FTransparent = false;
};
