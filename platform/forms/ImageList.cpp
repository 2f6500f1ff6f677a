#include "platform/forms/ImageList.h"

void TImageList::SetSize(int width, int height)
{
    FWidth = std::max(1, width);
    FHeight = std::max(1, height);
    Clear();
}

QImage TImageList::Fitted(QImage picture) const
{
    if (picture.isNull()) {
        picture = QImage(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    } else if (picture.width() != FWidth || picture.height() != FHeight) {
        picture = picture.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return picture;
}

int TImageList::Add(const TBitmap& image)
{
    FImages.push_back(Fitted(image.Image()));
    FMakers.emplace_back();
    Changed();
    return Count() - 1;
}

int TImageList::AddDeferred(std::function<TBitmap()> make)
{
    FImages.emplace_back();
    FMakers.push_back(std::move(make));
    Changed();
    return Count() - 1;
}

void TImageList::Clear()
{
    FImages.clear();
    FMakers.clear();
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
    const auto at = static_cast<std::size_t>(index);
    if (FMakers[at]) {
        const std::function<TBitmap()> make = std::move(FMakers[at]);
        FMakers[at] = nullptr;
        FImages[at] = Fitted(make().Image());
    }
    return FImages[at];
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}
