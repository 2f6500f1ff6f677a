#include "platform/forms/Bitmap.h"
#include <QPainter>
#include "platform/forms/PaletteColors.h"

void TBitmap::Draw(QPainter& painter, int x, int y) const
{
    if (Empty())
        return;
    if (!Transparent()) {
        painter.drawImage(x, y, FImage);
        return;
    }
    const QRgb see = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
    QImage picture = FImage;
    for (int row = 0; row < picture.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
        for (int column = 0; column < picture.width(); ++column)
            if ((line[column] & 0xFFFFFF) == see)
                line[column] = 0;
    }
    painter.drawImage(x, y, picture);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentColor != clDefault || Empty())
        return FTransparentColor;
    const QRgb pixel = FImage.pixel(0, FImage.height() - 1);
    return static_cast<TColor>(qRed(pixel) | (qGreen(pixel) << 8) | (qBlue(pixel) << 16));
}

void TBitmap::SetTransparentColor(TColor color)
{
    FTransparentColor = color;
}

void TBitmap::SetSize(int width, int height)
{
    FCanvas.reset();
    if (width <= 0 || height <= 0) {
        FImage = QImage();
        return;
    }
    FImage = QImage(width, height, QImage::Format_ARGB32);
    FImage.fill(Qt::white);
}

void TBitmap::Assign(const TBitmap& other)
{
    Assign(other.FImage);
}

void TBitmap::Assign(const QImage& image)
{
    FCanvas.reset();
    FImage = image.convertToFormat(QImage::Format_ARGB32);
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        if (FImage.isNull())
            SetSize(1, 1);
        FCanvas = std::make_unique<TCanvas>(&FImage);
    }
    return FCanvas.get();
}
