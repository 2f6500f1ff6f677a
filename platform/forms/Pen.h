// TPen: the line of frames and lines drawn on a canvas.
#pragma once
#include "platform/core/Colors.h"
#include "platform/core/Object.h"

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen : public TObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    int Width() const { return FWidth; }
    void SetWidth(int width) { FWidth = width < 1 ? 1 : width; }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style) { FStyle = style; }
    void Assign(const TPen& other) { FColor = other.FColor; FWidth = other.FWidth; FStyle = other.FStyle; }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};
