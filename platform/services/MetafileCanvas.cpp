#include "platform/services/MetafileCanvas.h"
#include <QFontMetricsF>
#include <cmath>
#include "platform/forms/QtText.h"

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile) : FMetafile(metafile)
{
    FFont.OnChange = [this](TObject*) { FMetrics.reset(); };
}

TMetafileCanvas::~TMetafileCanvas() = default;

MetafileFont TMetafileCanvas::RecordedFont() const
{
    return MetafileFont{FFont.Name(), FFont.Height(), FFont.Style(), FFont.Color()};
}

// Measuring runs many times per line while text is wrapped: the metrics are kept until the
// font changes.
const QFontMetricsF& TMetafileCanvas::Metrics() const
{
    if (!FMetrics)
        FMetrics = std::make_unique<QFontMetricsF>(MetafileQFont(RecordedFont()));
    return *FMetrics;
}

void TMetafileCanvas::TextOut(int X, int Y, const AnsiString& text)
{
    int width = TextWidth(text);
    if (FBrush.Style() == bsSolid)
        FillRect(Bounds(X, Y, width, TextHeight(text)));
    FMetafile->Add(MetafileText{X, Y, text, RecordedFont()});
    FPenPos = Point(X + width, Y);
}

void TMetafileCanvas::LineTo(int X, int Y)
{
    FMetafile->Add(MetafileLine{FPenPos, Point(X, Y), FPen.Color(), FPen.Width(), FPen.Style()});
    FPenPos = Point(X, Y);
}

void TMetafileCanvas::Rectangle(int left, int top, int right, int bottom)
{
    FMetafile->Add(MetafileRectangle{Rect(left, top, right, bottom), FBrush.Style() == bsSolid, FBrush.Color(), true,
                                     FPen.Color(), FPen.Width(), FPen.Style()});
}

void TMetafileCanvas::FillRect(const TRect& rect)
{
    if (FBrush.Style() == bsSolid)
        FMetafile->Add(MetafileRectangle{rect, true, FBrush.Color()});
}

int TMetafileCanvas::TextWidth(const AnsiString& text) const
{
    return static_cast<int>(std::lround(Metrics().horizontalAdvance(ToQString(text))));
}

int TMetafileCanvas::TextHeight(const AnsiString& text) const
{
    (void)text;
    return static_cast<int>(std::lround(Metrics().height()));
}

TTextMetric TMetafileCanvas::TextMetrics() const
{
    const QFontMetricsF& metrics = Metrics();
    TTextMetric tm;
    tm.tmAscent = static_cast<int>(std::lround(metrics.ascent()));
    tm.tmDescent = static_cast<int>(std::lround(metrics.descent()));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - std::abs(FFont.Height()));
    tm.tmExternalLeading = static_cast<int>(std::lround(metrics.leading()));
    tm.tmAveCharWidth = static_cast<int>(std::lround(metrics.averageCharWidth()));
    return tm;
}
