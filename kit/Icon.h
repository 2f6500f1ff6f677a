// TIcon: a picture in the icon-file format (".ico"), kept as the bytes it was loaded from so that
// saving writes them back unchanged. OnChange follows every change of the picture.
#pragma once
#include "platform/core/Exceptions.h"
#include "platform/forms/Graphic.h"
#include <QImage>
#include <memory>
#include <string>

class TStream;

QEX_EXCEPTION(EInvalidGraphic, Exception);

// An icon is see-through wherever its pictures say so.
class TIcon : public TGraphic {
public:
    TIcon() { SetTransparent(true); }

    bool Empty() const override { return !FFile || (FFile->bytes.empty() && !FFile->toMake); }
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
    // Writes the icon file; nothing for an empty icon. Raises EInvalidGraphic "Icon image is not
    // valid" when the picture of SetImage can't be put in the icon-file format.
    void SaveToStream(TStream& stream) const;
    // An icon of one picture. Its icon file is made when it is first saved: the image format
    // plugins that make it would otherwise load with the main window's tray icon.
    void SetImage(const QImage& image);
    // An icon from the program's resources (":/..."), or a file; an empty icon when there is none.
    void LoadResource(const AnsiString& name);

    TNotifyEvent OnChange;

private:
    // The icon file of a picture, shared by its copies and made once (the format's writer leaves
    // some mask bytes to chance, so two makings of one picture can differ).
    struct IconFile {
        std::string bytes;
        bool toMake = false;
    };
    void SetBytes(std::string bytes, QImage image, bool bytesToMake = false);
    void SetFile(std::shared_ptr<IconFile> file, QImage image);
    const std::string& Bytes() const;
    std::shared_ptr<IconFile> FFile;
    QImage FImage;
};
