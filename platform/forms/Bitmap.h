// TBitmap: an image with its own canvas. Pixels start transparent, so a drawn icon keeps its
// shape when it is drawn over a list's background.
#pragma once
#include "platform/core/Object.h"
#include "platform/forms/Canvas.h"
#include <QImage>
#include <memory>

class TBitmap : public TObject {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool Empty() const { return FImage.isNull(); }
    // Clears the picture to transparent.
    void SetSize(int width, int height);
    void Assign(const TBitmap& other);
    void Assign(const QImage& image);

    // Valid until the next SetSize or Assign.
    TCanvas* Canvas();
    const QImage& Image() const { return FImage; }

private:
    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
};
