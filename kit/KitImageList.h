// A row of same-sized pictures with transparency, drawn by index: what the kit's glyphs and
// disabled-look routines keep their pictures in.
#pragma once
#include "platform/core/Colors.h"
#include "platform/core/Object.h"
#include <QImage>
#include <vector>

class QPainter;

class TKitImageList : public TObject {
public:
    TKitImageList(int width, int height) : FWidth(width), FHeight(height) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return static_cast<int>(FImages.size()); }
    // Adds a picture at the list's size (cut or padded with transparency); pixels of
    // `maskColor` become transparent, clNone keeps the picture's own transparency.
    int Add(const QImage& picture, TColor maskColor = clNone);
    void Replace(int index, const QImage& picture, TColor maskColor = clNone);
    // An empty (transparent) picture at the end.
    int AddEmpty();
    const QImage& Image(int index) const { return FImages.at(index); }
    void Draw(QPainter& painter, int x, int y, int index) const;

private:
    QImage Prepared(const QImage& picture, TColor maskColor) const;
    int FWidth;
    int FHeight;
    std::vector<QImage> FImages;
};

// Pixels of `color` made transparent.
QImage WithMaskColor(const QImage& image, TColor color);
