// TImageList: small pictures of one size, drawn by index (channel icons beside list rows).
#pragma once
#include "platform/core/Component.h"
#include "platform/forms/Bitmap.h"
#include <QImage>
#include <functional>
#include <vector>

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner) : TComponent(owner) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Clears the list.
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(FImages.size()); }
    // A picture of another size is scaled to the list's size. Returns its index.
    int Add(const TBitmap& image);
    // A picture that make() draws the first time it is drawn or read, then kept: pictures that may
    // never show cost nothing. Returns its index.
    int AddDeferred(std::function<TBitmap()> make);
    void Clear();

    // Draws with the picture's transparency; an index outside the list draws nothing.
    void Draw(TCanvas* canvas, int X, int Y, int index, bool enabled = true) const;
    bool GetBitmap(int index, TBitmap* bitmap) const;
    // Null for an index outside the list.
    QImage Image(int index) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    QImage Fitted(QImage picture) const;
    int FWidth = 16;
    int FHeight = 16;
    // Made on first use: an entry's maker is empty once its picture is made.
    mutable std::vector<QImage> FImages;
    mutable std::vector<std::function<TBitmap()>> FMakers;
};
