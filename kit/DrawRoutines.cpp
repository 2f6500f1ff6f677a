#include "kit/DrawRoutines.h"
#include <QPainter>
#include <QWidget>
#include "kit/KitImageList.h"
#include "kit/MaxMin.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Control.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/WinControl.h"

namespace {

// One colour wherever the mask is set, transparent elsewhere.
QImage Silhouette(const QImage& mask, TColor color)
{
    QImage result(mask.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    QRgb rgb = ToQColor(color).rgb();
    for (int y = 0; y < mask.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            if (qAlpha(in[x]) != 0)
                out[x] = rgb;
    }
    return result;
}

// Mask of the pixels that are neither transparent nor of the outline colour.
QImage OutlineMask(const QImage& source, TColor outlineColor)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QRgb outline = ToQColor(outlineColor).rgb() & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qAlpha(line[x]) != 0 && (line[x] & 0x00FFFFFFu) != outline ? 0xFF000000u : 0;
    }
    return image;
}

void DrawEmbossed(QPainter& painter, int x, int y, const QImage& mask, bool drawHighlight, TColor shadowColor,
                  TColor highlightColor)
{
    if (drawHighlight)
        painter.drawImage(x + 1, y + 1, Silhouette(mask, highlightColor));
    painter.drawImage(x, y, Silhouette(mask, shadowColor));
}

} // namespace

void AssignBitmapCell(const TGraphic* source, TBitmap* destination, int cols, int rows, int index)
{
    if (!source || !destination || source->Empty())
        return;
    cols = IntMax(cols, 1);
    rows = IntMax(rows, 1);
    index = IntMax(index, 0);
    int cellWidth = source->Width() / cols;
    int cellHeight = source->Height() / rows;
    int column = index % cols;
    int row = index / cols;
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        destination->Assign(bitmap->Image().copy(column * cellWidth, row * cellHeight, cellWidth, cellHeight));
        destination->SetTransparentColor(bitmap->TransparentColor());
    } else {
        // Another kind of picture is drawn over silver, shifted so that the cell lands at (0, 0).
        QImage cell(IntMax(cellWidth, 1), IntMax(cellHeight, 1), QImage::Format_ARGB32);
        cell.fill(QColor(0xC0, 0xC0, 0xC0));
        QPainter painter(&cell);
        source->Draw(painter, -column * cellWidth, -row * cellHeight);
        painter.end();
        destination->Assign(cell);
    }
    destination->SetTransparent(source->Transparent());
}

std::unique_ptr<TBitmap> CreateTwoToneBitmap(const TBitmap& source, TColor outlineColor, TColor backColor,
                                             bool drawHighlight, TColor shadowColor, TColor highlightColor)
{
    auto result = std::make_unique<TBitmap>();
    if (source.Empty())
        return result;
    QImage image(source.Width(), source.Height(), QImage::Format_ARGB32);
    image.fill(ToQColor(backColor));
    QPainter painter(&image);
    DrawEmbossed(painter, 0, 0, OutlineMask(source.Image(), outlineColor), drawHighlight, shadowColor, highlightColor);
    painter.end();
    result->Assign(image);
    return result;
}

std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& source, TColor outlineColor)
{
    return CreateTwoToneBitmap(source, outlineColor, clBtnFace, true, clBtnShadow, clBtnHighlight);
}

void DrawDisabledGlyph(const TKitImageList& images, QPainter& painter, int x, int y, int index, bool drawHighlight,
                       TColor shadowColor, TColor highlightColor)
{
    if (index < 0 || index >= images.Count())
        return;
    DrawEmbossed(painter, x, y, images.Image(index), drawHighlight, shadowColor, highlightColor);
}

void DrawDisabledGlyph(const TKitImageList& images, TCanvas& canvas, int x, int y, int index, bool drawHighlight,
                       TColor shadowColor, TColor highlightColor)
{
    if (index < 0 || index >= images.Count())
        return;
    QImage picture(images.Width() + 1, images.Height() + 1, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    DrawDisabledGlyph(images, painter, 0, 0, index, drawHighlight, shadowColor, highlightColor);
    painter.end();
    TBitmap bitmap;
    bitmap.Assign(picture);
    canvas.Draw(x, y, &bitmap);
}

void PaintParentBackground(TControl* control, QPainter& painter)
{
    if (!control || !control->Parent() || !control->Widget())
        return;
    TWinControl* parent = control->Parent();
    QWidget* self = control->Widget();
    QWidget* parentWidget = parent->ClientWidget();
    if (!parentWidget)
        return;
    QRect bounds = self->geometry();
    // Only the parent's own background: its children would paint this control again.
    parentWidget->render(&painter, QPoint(0, 0), QRegion(bounds), QWidget::DrawWindowBackground);
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == control)
            break;
        QWidget* widget = sibling->Widget();
        if (!widget || !sibling->Visible() || !widget->geometry().intersects(bounds))
            continue;
        QPoint offset = widget->pos() - bounds.topLeft();
        widget->render(&painter, offset, QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

AnsiString EllipsizeText(const AnsiString& text, TCanvas& canvas, int maxWidth)
{
    AnsiString result = text;
    int length = static_cast<int>(text.size());
    for (int i = 1; i <= length && canvas.TextWidth(result) > maxWidth;) {
        ++i;
        result = text.substr(0, static_cast<std::size_t>(IntMax(length - i, 0))) + "...";
    }
    return result;
}
