// TIconImage: a small picture drawn centred in its bounds (the channel icon of the alarm notice).
// The forms layer has no image control; this one shows a bitmap and nothing more.
#pragma once
#include "platform/forms/Bitmap.h"
#include "platform/forms/Control.h"

class QLabel;

class TIconImage : public TControl {
public:
    explicit TIconImage(TComponent* owner);

    const TBitmap& Picture() const { return FPicture; }
    // An empty bitmap shows nothing.
    void SetPicture(const TBitmap& picture);

private:
    QLabel* FLabel;
    TBitmap FPicture;
};
