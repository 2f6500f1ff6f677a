// TImage: shows a bitmap, at its own size or centred in the control.
#pragma once
#include "platform/forms/Bitmap.h"
#include "platform/forms/Control.h"

class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);

    // Draw on it or assign to it, then call Invalidate (or use SetPicture).
    TBitmap* Picture() { return &FPicture; }
    void SetPicture(const TBitmap& bitmap);
    bool Center() const { return FCenter; }
    void SetCenter(bool center);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);

protected:
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    TBitmap FPicture;
    bool FCenter = false;
    bool FStretch = false;
};
