#include "kit/Icon.h"
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include "platform/core/Streams.h"
#include "platform/forms/QtText.h"

namespace {

// The largest picture of an icon file, or a null image when the bytes are no icon.
QImage ReadIconBytes(const std::string& bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QImage best;
    do {
        QImage image = reader.read();
        if (image.isNull())
            break;
        if (best.isNull() || image.width() * image.height() > best.width() * best.height())
            best = image;
    } while (reader.jumpToNextImage());
    return best;
}

} // namespace

void TIcon::SetBytes(std::string bytes, QImage image, bool bytesToMake)
{
    SetFile(std::make_shared<IconFile>(IconFile{std::move(bytes), bytesToMake}), std::move(image));
}

void TIcon::SetFile(std::shared_ptr<IconFile> file, QImage image)
{
    FFile = std::move(file);
    FImage = std::move(image);
    if (OnChange)
        OnChange(this);
}

const std::string& TIcon::Bytes() const
{
    static const std::string none;
    if (!FFile)
        return none;
    if (!FFile->toMake)
        return FFile->bytes;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(FImage.convertToFormat(QImage::Format_ARGB32)))
        throw EInvalidGraphic("Icon image is not valid");
    FFile->bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    FFile->toMake = false;
    return FFile->bytes;
}

void TIcon::Assign(const TIcon* other)
{
    if (other == this)
        return;
    if (other)
        SetFile(other->FFile, other->FImage);
    else
        SetBytes(std::string(), QImage());
}

void TIcon::LoadFromStream(TStream& stream)
{
    std::int64_t left = stream.Size() - stream.Position();
    std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(left, 0)), '\0');
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(stream.Read(bytes.data(), left), 0)));
    QImage image = ReadIconBytes(bytes);
    if (image.isNull())
        throw EInvalidGraphic("Icon image is not valid");
    SetBytes(std::move(bytes), std::move(image));
}

void TIcon::SaveToStream(TStream& stream) const
{
    const std::string& bytes = Bytes();
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TIcon::SetImage(const QImage& image)
{
    SetBytes(std::string(), image, !image.isNull());
}

void TIcon::LoadResource(const AnsiString& name)
{
    QFile file(ToQString(name));
    std::string bytes;
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray data = file.readAll();
        bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    }
    QImage image = ReadIconBytes(bytes);
    if (image.isNull())
        bytes.clear();
    SetBytes(std::move(bytes), std::move(image));
}

void TIcon::Draw(QPainter& painter, int x, int y) const
{
    if (!Empty())
        painter.drawImage(x, y, FImage);
}
