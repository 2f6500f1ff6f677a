// TCanvas: the class library's drawing surface over QPainter. A canvas either borrows the painter
// of a paint in progress (owner drawing) or draws on an image (a bitmap's canvas).
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"
#include "platform/forms/Brush.h"
#include "platform/forms/Font.h"
#include "platform/forms/Pen.h"
#include "platform/forms/Types.h"

class QPainter;
class QPaintDevice;
class QWidget;
class TBitmap;

class TCanvas : public TObject {
public:
    TCanvas() = default;
    explicit TCanvas(QPaintDevice* device) : FDevice(device) {}

    TFont* Font() { return &FFont; }
    TBrush* Brush() { return &FBrush; }
    TPen* Pen() { return &FPen; }

    // Text cell's top-left at (X, Y); with a solid brush the cell's background is filled.
    void TextOut(int X, int Y, const AnsiString& text);
    // Fills Rect with a solid brush and draws the text at (X, Y) clipped to Rect.
    void TextRect(const TRect& rect, int X, int Y, const AnsiString& text);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int X, int Y) { FPenPos = Point(X, Y); }
    void LineTo(int X, int Y);
    void Draw(int X, int Y, const TBitmap* bitmap);
    // The widget as it looks now, without its child widgets, with its top-left at (X, Y).
    void DrawWidget(QWidget* widget, int X, int Y);
    int TextWidth(const AnsiString& text) const;
    int TextHeight(const AnsiString& text) const;

    // Owner drawing: the control lends its painter for the time of one item.
    void BeginPaint(QPainter* painter) { FPainter = painter; }
    void EndPaint() { FPainter = nullptr; }
    bool Painting() const { return FPainter != nullptr; }

private:
    template <typename Fn>
    void WithPainter(Fn&& draw);
    void FillBackground(QPainter& painter, const TRect& rect);

    QPaintDevice* FDevice = nullptr;
    QPainter* FPainter = nullptr;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    TPoint FPenPos;
};
