#include "kit/KitImageList.h"
#include <QPainter>
#include "platform/forms/PaletteColors.h"

QImage WithMaskColor(const QImage& image, TColor color)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    if (color == clNone)
        return result;
    QRgb key = ToQColor(color).rgb() & 0x00FFFFFFu;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
    }
    return result;
}

QImage TKitImageList::Prepared(const QImage& picture, TColor maskColor) const
{
    QImage sized(FWidth, FHeight, QImage::Format_ARGB32);
    sized.fill(Qt::transparent);
    QPainter painter(&sized);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, WithMaskColor(picture, maskColor));
    painter.end();
    return sized;
}

int TKitImageList::Add(const QImage& picture, TColor maskColor)
{
    FImages.push_back(Prepared(picture, maskColor));
    return Count() - 1;
}

void TKitImageList::Replace(int index, const QImage& picture, TColor maskColor)
{
    FImages.at(index) = Prepared(picture, maskColor);
}

int TKitImageList::AddEmpty()
{
    return Add(QImage());
}

void TKitImageList::Draw(QPainter& painter, int x, int y, int index) const
{
    if (index >= 0 && index < Count())
        painter.drawImage(x, y, FImages[index]);
}
