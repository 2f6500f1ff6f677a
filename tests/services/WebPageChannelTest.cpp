// The frames between the browser control and its engine's helper: what one side writes the other
// reads back whole however the bytes arrive, and what can't be a message breaks the channel
// without a wild allocation.
#include "platform/services/WebPageChannel.h"
#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

WebPageMessage Sample()
{
    WebPageMessage message;
    message.kind = WebPageKind::Request;
    message.id = 7;
    message.numbers = {3, -1, 2147483647};
    message.texts = {QStringLiteral("Jatketaanko? \u00e4\u20ac"), QString()};
    message.blobs = {QByteArray("<P>\xE4</P>"), QByteArray(3, '\0')};
    return message;
}

void ExpectSame(const WebPageMessage& read, const WebPageMessage& written)
{
    EXPECT_EQ(read.kind, written.kind);
    EXPECT_EQ(read.id, written.id);
    EXPECT_EQ(read.numbers, written.numbers);
    EXPECT_EQ(read.texts, written.texts);
    EXPECT_EQ(read.blobs, written.blobs);
}

// A frame of `kind` whose body is `fields` as written.
QByteArray Frame(quint8 kind, const QByteArray& fields)
{
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(fields.size() + 1), frame.data());
    return frame + char(kind) + fields;
}

} // namespace

TEST(WebPageChannel, MessagesReadBackWholeFromAByteAtATimeOrSeveralInOneBlock)
{
    const WebPageMessage first = Sample();
    WebPageMessage second;
    second.kind = WebPageKind::LoadFinished;
    second.numbers = {1};
    const QByteArray bytes = EncodeWebPageMessage(first) + EncodeWebPageMessage(second);

    WebPageMessageReader trickled;
    std::vector<WebPageMessage> read;
    for (char byte : bytes) {
        trickled.Append(&byte, 1);
        while (auto message = trickled.Next())
            read.push_back(*message);
    }
    ASSERT_EQ(read.size(), 2u);
    ExpectSame(read[0], first);
    ExpectSame(read[1], second);

    WebPageMessageReader block;
    block.Append(bytes.constData(), bytes.size());
    ASSERT_TRUE(block.Next().has_value());
    ASSERT_TRUE(block.Next().has_value());
    EXPECT_FALSE(block.Next().has_value());
    EXPECT_FALSE(block.Broken());
}

TEST(WebPageChannel, WhatCanNotBeAMessageBreaksTheChannelForGood)
{
    QByteArray noFields;
    {
        QDataStream out(&noFields, QIODevice::WriteOnly);
        out << quint32(1) << quint32(0) << quint32(0) << quint32(0);
    }
    QByteArray hugeCount;
    {
        QDataStream out(&hugeCount, QIODevice::WriteOnly);
        out << quint32(1) << quint32(0xFFFFFFFFu) << qint32(5);
    }
    QByteArray tooLong(4, '\0');
    qToBigEndian<quint32>(kLargestWebPageFrame + 1, tooLong.data());
    const QByteArray valid = EncodeWebPageMessage(Sample());
    const std::pair<const char*, QByteArray> cases[] = {
        {"a length past the largest frame", tooLong},
        {"an empty frame", QByteArray(4, '\0')},
        {"an unknown kind", Frame(kWebPageKinds, noFields)},
        {"a list count no frame can hold", Frame(quint8(WebPageKind::Load), hugeCount)},
        {"fields cut short", Frame(quint8(WebPageKind::Load), noFields.left(10))},
        {"bytes after the fields", Frame(quint8(WebPageKind::Load), noFields + "x")},
    };
    for (const auto& [what, bytes] : cases) {
        WebPageMessageReader reader;
        const QByteArray stream = bytes + valid;
        reader.Append(stream.constData(), stream.size());
        EXPECT_FALSE(reader.Next().has_value()) << what;
        EXPECT_TRUE(reader.Broken()) << what;
        reader.Append(valid.constData(), valid.size());
        EXPECT_FALSE(reader.Next().has_value()) << what << ": read on after the break";
    }

    // The well-formed frame of the same shape reads, so the cases above fail for their fault.
    WebPageMessageReader reader;
    const QByteArray good = Frame(quint8(WebPageKind::Load), noFields);
    reader.Append(good.constData(), good.size());
    ASSERT_TRUE(reader.Next().has_value());
    EXPECT_FALSE(reader.Broken());
}

TEST(WebPageChannel, AFrameOfTheLargestLengthReadsWholeAndOneByteMoreBreaksAtItsLength)
{
    // A page's bytes filling the frame to the last byte that may be: what the fields take
    // besides the block is measured on an empty block of the same message.
    WebPageMessage largest = MessageOf(WebPageKind::LoadFinished, {}, {}, {QByteArray()});
    const qsizetype rest = EncodeWebPageMessage(largest).size() - 4;
    largest.blobs[0] = QByteArray(kLargestWebPageFrame - rest, 'x');
    const QByteArray frame = EncodeWebPageMessage(largest);
    ASSERT_EQ(qFromBigEndian<quint32>(frame.constData()), kLargestWebPageFrame);

    WebPageMessageReader reader;
    reader.Append(frame.constData(), frame.size() - 1);
    EXPECT_FALSE(reader.Next().has_value());
    EXPECT_FALSE(reader.Broken()) << "a frame of the largest length is refused";
    reader.Append(frame.constData() + frame.size() - 1, 1);
    const std::optional<WebPageMessage> read = reader.Next();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->blobs, largest.blobs);

    // One byte longer, and an empty frame, break the channel as soon as the length is there:
    // nothing of such a frame's body is waited for or kept.
    for (const quint32 length : {kLargestWebPageFrame + 1, 0u}) {
        QByteArray header(4, '\0');
        qToBigEndian<quint32>(length, header.data());
        WebPageMessageReader early;
        early.Append(header.constData(), 2);
        EXPECT_FALSE(early.Broken()) << "broken by half a length, " << length;
        early.Append(header.constData() + 2, 2);
        EXPECT_TRUE(early.Broken()) << "a length of " << length << " is waited for";
    }
    // The same checks hold for a frame that follows others in one block.
    QByteArray afterAnother = EncodeWebPageMessage(Sample()) + QByteArray(4, '\0');
    WebPageMessageReader following;
    following.Append(afterAnother.constData(), afterAnother.size());
    EXPECT_TRUE(following.Broken());
}
