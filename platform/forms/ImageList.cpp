#include "platform/forms/ImageList.h"

void TImageList::SetSize(int width, int height)
{
    FWidth = std::max(1, width);
    FHeight = std::max(1, height);
    Clear();
}

int TImageList::Add(const TBitmap& image)
{
    QImage picture = image.Image();
    if (picture.isNull()) {
        picture = QImage(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    } else if (picture.width() != FWidth || picture.height() != FHeight) {
        picture = picture.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    FImages.push_back(picture);
    Changed();
    return Count() - 1;
}

void TImageList::Clear()
{
    FImages.clear();
    Changed();
}

void TImageList::Draw(TCanvas* canvas, int X, int Y, int index, bool enabled) const
{
    QImage picture = Image(index);
    if (!canvas || picture.isNull())
        return;
    TBitmap bitmap;
    bitmap.Assign(enabled ? picture : picture.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    canvas->Draw(X, Y, &bitmap);
}

bool TImageList::GetBitmap(int index, TBitmap* bitmap) const
{
    QImage picture = Image(index);
    if (!bitmap || picture.isNull())
        return false;
    bitmap->Assign(picture);
    return true;
}

QImage TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    return FImages[static_cast<std::size_t>(index)];
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}
