// The preview: the paper of the shown page, at its real size on the screen times the zoom,
// with its shadow, its recorded page and its margins.
#include <QPainter>
#include "printing/PagePrinter.h"
#include "platform/forms/PaintBox.h"
#include "platform/core/SysUtils.h"

namespace {

int ScreenDpi(const TPaintBox* box, bool horizontal)
{
    const QWidget* widget = box->Widget();
    return horizontal ? widget->logicalDpiX() : widget->logicalDpiY();
}

TColor RgbColor(int red, int green, int blue)
{
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

void DrawGradient(TCanvas* canvas, const TRect& rect, TColor fromColor, TColor toColor, bool vertical)
{
    std::uint32_t from = ColorToRGB(fromColor);
    std::uint32_t to = ColorToRGB(toColor);
    int n = (vertical ? rect.Height() : rect.Width()) - 1;
    if (n <= 0)
        return;
    for (int i = 0; i <= n; ++i) {
        auto mix = [&](int a, int b) { return (a * (n - i) + b * i) / n; };
        canvas->Brush()->SetColor(RgbColor(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                                           mix(GetBValue(from), GetBValue(to))));
        canvas->FillRect(vertical ? Rect(rect.Left, rect.Top + i, rect.Right, rect.Top + i + 1)
                                  : Rect(rect.Left + i, rect.Top, rect.Left + i + 1, rect.Bottom));
    }
}

} // namespace

int TPagePrinter::UnitsToScreenPixels(bool horizontal, double value) const
{
    return static_cast<int>(Round(Inches(value) * ScreenDpi(FPreviewBox, horizontal)));
}

int TPagePrinter::ZoomedPixels(bool horizontal, double value) const
{
    return static_cast<int>(Round(UnitsToScreenPixels(horizontal, value) * static_cast<double>(FZoomPercent) / 100));
}

// The paper's real size on the screen, scaled by the zoom.
int TPagePrinter::PreviewPageSize(bool horizontal) const
{
    if (!Printer()->HasPrinter()) {
        double paper = FMeasureUnit == muMillimeters ? (horizontal ? 210 : 297) : (horizontal ? 8.5 : 11);
        return static_cast<int>(Round(UnitsToScreenPixels(horizontal, paper) * static_cast<double>(FZoomPercent) / 100));
    }
    TPrinterDeviceCaps caps = Printer()->DeviceCaps();
    int paper = horizontal ? caps.PhysicalWidth : caps.PhysicalHeight;
    double ratio = FConstructing ? 1.0 : static_cast<double>(horizontal ? PrinterDpiX() : PrinterDpiY()) /
                                             ScreenDpi(FPreviewBox, horizontal);
    return static_cast<int>(Round(paper * static_cast<double>(FZoomPercent) / ratio / 100));
}

void TPagePrinter::UpdatePreviewSize()
{
    int margin = (static_cast<int>(FShadowOffset) + 1) * 2;
    SetHorzRange(PreviewPageWidth() + margin);
    SetVertRange(PreviewPageHeight() + margin);
    if (FConstructing)
        return;
    switch (FZoomLocation) {
    case zlTopLeft:
        SetHorzPosition(0);
        SetVertPosition(0);
        break;
    case zlTopCenter:
        SetHorzPosition((HorzRange() - ClientWidth()) / 2);
        SetVertPosition(0);
        break;
    case zlCenter:
        SetHorzPosition((HorzRange() - ClientWidth()) / 2);
        SetVertPosition((VertRange() - ClientHeight()) / 2);
        break;
    }
}

void TPagePrinter::RepaintPreview()
{
    if (FPreviewBox)
        FPreviewBox->Invalidate();
}

void TPagePrinter::PaintPreview(TObject* Sender)
{
    (void)Sender;
    TCanvas* canvas = FPreviewBox->Canvas();
    TRect box = FPreviewBox->ClientRect();
    if (FGradientBackground) {
        DrawGradient(canvas, box, clBlack, Color(), true);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(box);
    }

    int width = PreviewPageWidth();
    int height = PreviewPageHeight();
    int left = (box.Width() - width) / 2;
    int top = (box.Height() - height) / 2;
    int right = left + width;
    int bottom = top + height;

    canvas->Pen()->SetStyle(psSolid);
    int shadow = static_cast<int>(FShadowOffset);
    if (shadow > 0) {
        canvas->Brush()->SetColor(FShadowColor);
        canvas->Pen()->SetColor(FShadowColor);
        canvas->Rectangle(right, top + shadow, right + shadow, bottom + shadow);
        canvas->Rectangle(left + shadow, bottom, right, bottom + shadow);
    }
    canvas->Brush()->SetColor(clWhite);
    canvas->Pen()->SetColor(clBlack);
    canvas->Rectangle(left, top, right, bottom);

    QPainter* painter = FPreviewBox->Painter();
    if (TMetafile* page = PageMetafile(FPageNumber)) {
        QPointF origin(left + ZoomedPixels(true, MinMarginLeft()) + 1, top + ZoomedPixels(false, MinMarginTop()) + 1);
        page->Play(*painter, QRectF(origin, QPointF(right + 1, bottom + 1)));
    }

    if (FShowMargins) {
        painter->save();
        painter->setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        int marginLeft = left + ZoomedPixels(true, FMarginLeft);
        int marginTop = top + ZoomedPixels(false, FMarginTop);
        int marginRight = right - ZoomedPixels(true, FMarginRight);
        int marginBottom = bottom - ZoomedPixels(false, FMarginBottom);
        painter->drawRect(marginLeft, marginTop, marginRight - marginLeft - 1, marginBottom - marginTop - 1);
        painter->restore();
    }
    canvas->Pen()->SetColor(Color());
}

void TPagePrinter::SetZoomPercent(unsigned percent)
{
    FZoomPercent = percent;
    UpdatePreviewSize();
    RepaintPreview();
}

void TPagePrinter::SetShadowOffset(unsigned offset)
{
    if (offset == FShadowOffset)
        return;
    FShadowOffset = offset;
    UpdatePreviewSize();
    RepaintPreview();
}

void TPagePrinter::SetShadowColor(TColor color)
{
    if (color == FShadowColor)
        return;
    FShadowColor = color;
    RepaintPreview();
}

void TPagePrinter::SetShowMargins(bool show)
{
    if (show == FShowMargins)
        return;
    FShowMargins = show;
    RepaintPreview();
}

void TPagePrinter::SetGradientBackground(bool gradient)
{
    if (gradient == FGradientBackground)
        return;
    FGradientBackground = gradient;
    RepaintPreview();
}
