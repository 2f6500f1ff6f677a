// TMetafileCanvas: draws into a TMetafile by recording, and measures text in the metafile's
// pixels. The canvas font's height is in those pixels too (the page printer sets it for the
// printer's resolution), so widths come out in printer pixels without a printer.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"
#include "platform/forms/Brush.h"
#include "platform/forms/Font.h"
#include "platform/forms/Pen.h"
#include "platform/forms/Types.h"
#include "platform/services/Metafile.h"
#include <memory>

class QFontMetricsF;

// The text metrics record as GetTextMetrics fills it, in pixels.
struct TTextMetric {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
};

class TMetafileCanvas : public TObject {
public:
    explicit TMetafileCanvas(TMetafile* metafile);
    ~TMetafileCanvas() override;

    TFont* Font() { return &FFont; }
    TBrush* Brush() { return &FBrush; }
    TPen* Pen() { return &FPen; }

    // Text cell's top-left at (X, Y); with a solid brush the cell's background is filled first.
    void TextOut(int X, int Y, const AnsiString& text);
    void MoveTo(int X, int Y) { FPenPos = Point(X, Y); }
    void LineTo(int X, int Y);
    void Rectangle(int left, int top, int right, int bottom);
    void FillRect(const TRect& rect);

    int TextWidth(const AnsiString& text) const;
    int TextHeight(const AnsiString& text) const;
    TTextMetric TextMetrics() const;

private:
    const QFontMetricsF& Metrics() const;
    MetafileFont RecordedFont() const;

    TMetafile* FMetafile;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    TPoint FPenPos;
    mutable std::unique_ptr<QFontMetricsF> FMetrics; // for FFont as it is now
};
