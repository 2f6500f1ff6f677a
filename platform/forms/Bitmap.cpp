#include "platform/forms/Bitmap.h"

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
