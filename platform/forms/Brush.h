// TBrush: the fill of rectangles and of text backgrounds on a canvas.
#pragma once
#include "platform/core/Colors.h"
#include "platform/core/Object.h"

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; FStyle = bsSolid; }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style) { FStyle = style; }
    void Assign(const TBrush& other) { FColor = other.FColor; FStyle = other.FStyle; }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
