// TBitmap: an image with its own canvas. A new picture is white, as the class library's is;
// pixels keep their colour whatever their alpha, so a see-through colour read from a pixel is
// the colour that was drawn there.
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
    // Clears the picture to white.
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
