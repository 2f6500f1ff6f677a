#include "platform/services/WebPageChannel.h"
#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

constexpr qsizetype kHeaderSize = 4;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

// A list as the stream writes it, read without trusting its count: the stream's own reading
// reserves room for the count first, and a count of four thousand million is four bytes.
template <typename T>
bool ReadList(QDataStream& in, QList<T>& list, qsizetype frameSize)
{
    quint32 count = 0;
    in >> count;
    // Every element takes at least four bytes (a number, or a text's or block's length).
    if (in.status() != QDataStream::Ok || count > static_cast<quint64>(frameSize) / 4)
        return false;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        T element;
        in >> element;
        list.append(std::move(element));
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

QByteArray EncodeWebPageMessage(const WebPageMessage& message)
{
    QByteArray frame(kHeaderSize, '\0');
    frame.append(static_cast<char>(message.kind));
    {
        QDataStream out(&frame, QIODevice::Append);
        out.setVersion(kStreamVersion);
        out << message.id << message.numbers << message.texts << message.blobs;
    }
    qToBigEndian<quint32>(static_cast<quint32>(frame.size() - kHeaderSize), frame.data());
    return frame;
}

void WebPageMessageReader::Append(const char* bytes, qsizetype size)
{
    if (FBroken)
        return;
    // What was read is dropped before the buffer grows, so it never holds more than a frame and
    // the bytes of the next.
    if (FRead > 0) {
        FBuffer.remove(0, FRead);
        FNextHeader -= FRead;
        FRead = 0;
    }
    FBuffer.append(bytes, size);
    while (FBuffer.size() - FNextHeader >= kHeaderSize) {
        const quint32 length = qFromBigEndian<quint32>(FBuffer.constData() + FNextHeader);
        if (length == 0 || length > kLargestWebPageFrame) {
            Break();
            return;
        }
        FNextHeader += kHeaderSize + length;
    }
}

void WebPageMessageReader::Break()
{
    FBroken = true;
    FBuffer.clear();
    FRead = 0;
    FNextHeader = 0;
}

std::optional<WebPageMessage> WebPageMessageReader::Next()
{
    if (FBroken || FBuffer.size() - FRead < kHeaderSize)
        return std::nullopt;
    // Append checked the length already.
    const quint32 length = qFromBigEndian<quint32>(FBuffer.constData() + FRead);
    if (FBuffer.size() - FRead - kHeaderSize < static_cast<qsizetype>(length))
        return std::nullopt;
    const QByteArray frame = FBuffer.mid(FRead + kHeaderSize, length);
    FRead += kHeaderSize + length;
    WebPageMessage message;
    const auto kind = static_cast<quint8>(frame[0]);
    QDataStream in(frame.sliced(1));
    in.setVersion(kStreamVersion);
    in >> message.id;
    const bool read = ReadList(in, message.numbers, length) && ReadList(in, message.texts, length) &&
                      ReadList(in, message.blobs, length);
    if (kind >= kWebPageKinds || !read || !in.atEnd()) {
        Break();
        return std::nullopt;
    }
    message.kind = static_cast<WebPageKind>(kind);
    return message;
}
