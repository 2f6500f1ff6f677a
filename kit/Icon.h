// TIcon: a picture in the icon-file format (".ico"), kept as the bytes it was loaded from so that
// saving writes them back unchanged. OnChange follows every change of the picture.
#pragma once
#include "platform/core/Exceptions.h"
#include "platform/forms/Graphic.h"
#include <QImage>
#include <string>

class TStream;

QEX_EXCEPTION(EInvalidGraphic, Exception);

// An icon is see-through wherever its pictures say so.
class TIcon : public TGraphic {
public:
    TIcon() { SetTransparent(true); }

    bool Empty() const override { return FBytes.empty(); }
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void Draw(QPainter& painter, int x, int y) const override;
    // The largest picture of the icon; null for an empty icon.
    const QImage& Image() const { return FImage; }

    // nullptr empties the icon.
    void Assign(const TIcon* other);
    // Takes the rest of the stream as one icon file; raises EInvalidGraphic "Icon image is not
    // valid" (and keeps the old picture) when it is none.
    void LoadFromStream(TStream& stream);
    // Writes the icon file; nothing for an empty icon.
    void SaveToStream(TStream& stream) const;
    // An icon of one picture.
    void SetImage(const QImage& image);
    // An icon from the program's resources (":/..."), or a file; an empty icon when there is none.
    void LoadResource(const AnsiString& name);

    TNotifyEvent OnChange;

private:
    void SetBytes(std::string bytes, QImage image);
    std::string FBytes;
    QImage FImage;
};
