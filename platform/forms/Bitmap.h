// TBitmap: an image with its own canvas. A new picture is white, as the class library's is;
// pixels keep their colour whatever their alpha, so a see-through colour read from a pixel is
// the colour that was drawn there.
#pragma once
#include "platform/core/Colors.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Graphic.h"
#include <QImage>
#include <memory>

class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }

    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    bool Empty() const override { return FImage.isNull(); }
    void Draw(QPainter& painter, int x, int y) const override;
    // The colour drawn see-through: the bottom-left pixel's until one is set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    // Clears the picture to white.
    void SetSize(int width, int height);
    void Assign(const TBitmap& other);
    void Assign(const QImage& image);

    // Valid until the next SetSize or Assign.
    TCanvas* Canvas();
    const QImage& Image() const { return FImage; }

private:
    QImage FImage;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TCanvas> FCanvas;
};
