#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include "kit/IconList.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Streams.h"

namespace {

TIcon MakeIcon(QRgb color, int size = 16)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    TIcon icon;
    icon.SetImage(image);
    return icon;
}

std::int32_t Int32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    return static_cast<std::int32_t>(value);
}

} // namespace

TEST(IconList, StreamKeepsEmptyEntriesBetweenIcons)
{
    TIcon a = MakeIcon(qRgb(255, 0, 0));
    TIcon b = MakeIcon(qRgb(0, 0, 255), 32);
    TIconList list;
    list.Add(&a);
    list.Add(nullptr);
    list.Add(&b);
    TMemoryStream aBytes, bBytes, stream;
    a.SaveToStream(aBytes);
    b.SaveToStream(bBytes);
    list.SaveToStream(stream);

    const std::string& bytes = stream.Bytes();
    const std::size_t aSize = aBytes.Bytes().size(), bSize = bBytes.Bytes().size();
    ASSERT_EQ(bytes.size(), 4 + 4 + aSize + 4 + 4 + bSize);
    EXPECT_EQ(Int32At(bytes, 0), 3);
    EXPECT_EQ(Int32At(bytes, 4), static_cast<std::int32_t>(aSize));
    EXPECT_EQ(bytes.substr(8, aSize), aBytes.Bytes());
    EXPECT_EQ(Int32At(bytes, 8 + aSize), 0);
    EXPECT_EQ(Int32At(bytes, 12 + aSize), static_cast<std::int32_t>(bSize));
    EXPECT_EQ(bytes.substr(16 + aSize), bBytes.Bytes());

    TIconList read;
    int changes = 0;
    read.OnChange = [&](TObject* sender) { EXPECT_EQ(sender, &read); ++changes; };
    stream.SetPosition(0);
    read.LoadFromStream(stream);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.Get(0)->Width(), 16);
    EXPECT_EQ(read.Get(1), nullptr);
    EXPECT_EQ(read.Get(2)->Width(), 32);

    TMemoryStream empty;
    TIconList().SaveToStream(empty);
    EXPECT_EQ(empty.Bytes(), std::string(4, '\0'));
}

TEST(IconList, DamagedStreamsKeepWhatWasReadAndStaySafe)
{
    TIcon a = MakeIcon(qRgb(0, 255, 0));
    TIconList list;
    list.Add(&a);
    list.Add(&a);
    TMemoryStream stream;
    list.SaveToStream(stream);
    std::string bytes = stream.Bytes();

    // Second icon's bytes spoiled: the first stays, the error is the icon's own.
    std::string spoiled = bytes;
    spoiled.replace(spoiled.size() - 20, 20, 20, 'x');
    std::size_t secondSize = (bytes.size() - 8) / 2 - 4;
    spoiled.replace(8 + secondSize + 4, 4, "zzzz");
    TStringStream input(spoiled);
    TIconList read;
    int changes = 0;
    read.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(read.LoadFromStream(input), EInvalidGraphic);
    EXPECT_EQ(read.Count(), 1);
    EXPECT_EQ(changes, 1);

    // A count that promises more than the stream holds, and a size far beyond its end.
    TStringStream shortList(std::string("\x05\0\0\0\0\0\0\0", 8));
    read.LoadFromStream(shortList);
    EXPECT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Get(0), nullptr);
    TStringStream hugeSize(std::string("\x01\0\0\0\xFF\xFF\xFF\x7F" "abc", 11));
    EXPECT_THROW(read.LoadFromStream(hugeSize), EInvalidGraphic);
    EXPECT_EQ(read.Count(), 0);
}

TEST(IconList, ChangesAreReportedOncePerOperationOrUpdate)
{
    TIcon a = MakeIcon(qRgb(1, 2, 3));
    TIconList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    for (int i = 0; i < 5; ++i)
        list.Add(&a);
    EXPECT_EQ(changes, 5);
    changes = 0;
    list.Delete(0);
    list.Delete(0);
    EXPECT_EQ(changes, 2);
    changes = 0;
    list.Clear();
    EXPECT_EQ(changes, 1);

    list.Add(&a);
    changes = 0;
    // Changing a held icon in place is a change of the list.
    list.Get(0)->SetImage(QImage(8, 8, QImage::Format_ARGB32));
    EXPECT_EQ(changes, 1);
    // A held icon is the list's own copy.
    EXPECT_NE(list.Get(0), &a);
    EXPECT_EQ(list.IndexOf(list.Get(0)), 0);
    EXPECT_EQ(list.IndexOf(&a), -1);

    list.Put(1, &a);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(1)->Width(), 16);
    EXPECT_THROW(list.Put(3, &a), EListError);
    try {
        list.Get(5);
        FAIL();
    } catch (const EListError& error) {
        EXPECT_EQ(error.Message, "List index out of bounds (5)");
    }
    EXPECT_EQ(list.Count(), 2);

    TIcon* first = list.Get(0);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Get(1), first);
    list.Move(1, 0);
    EXPECT_EQ(list.Get(0), first);

    auto doomed = std::make_unique<TIconList>();
    bool changed = false;
    doomed->Add(&a);
    doomed->OnChange = [&](TObject*) { changed = true; };
    doomed.reset();
    EXPECT_FALSE(changed);
}

TEST(IconList, AssignCopiesEveryEntry)
{
    TIcon a = MakeIcon(qRgb(9, 9, 9));
    TIconList source;
    source.Add(&a);
    source.Add(nullptr);
    TIconList copy;
    copy.Add(&a);
    copy.Add(&a);
    copy.Add(&a);
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_FALSE(copy.Get(0)->Empty());
    EXPECT_TRUE(copy.Get(1)->Empty());
    copy.Assign(&a);
    EXPECT_EQ(copy.Count(), 1);
    copy.Assign(static_cast<const TIconList*>(nullptr));
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(copy.AddResource(":/no/such/icon.ico"), 0);
    EXPECT_TRUE(copy.Get(0)->Empty());
}

TEST(IconList, InsertResourceLoadsAnIconFileIntoItsPlace)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("kello.ico");
    {
        TIcon icon = MakeIcon(qRgb(200, 0, 0));
        TMemoryStream bytes;
        icon.SaveToStream(bytes);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.Bytes().data(), static_cast<qint64>(bytes.Bytes().size()));
    }
    TIcon first = MakeIcon(qRgb(1, 1, 1));
    TIconList list;
    list.Add(&first);
    list.Add(&first);
    list.InsertResource(1, path.toStdString());
    ASSERT_EQ(list.Count(), 3);
    ASSERT_FALSE(list.Get(1)->Empty());
    EXPECT_EQ(list.Get(1)->Image().pixel(4, 4), qRgb(200, 0, 0));
    EXPECT_EQ(list.Get(2)->Image().pixel(4, 4), qRgb(1, 1, 1)) << "the later ones move on";
    list.InsertResource(3, folder.filePath("missing.ico").toStdString());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_TRUE(list.Get(3)->Empty()) << "a file that cannot be read leaves an empty entry";
    EXPECT_THROW(list.InsertResource(5, path.toStdString()), EListError);
    EXPECT_EQ(list.Count(), 4);
}

TEST(IconList, AFormStreamCarriesTheIconsOnlyWhereTheAncestorDiffers)
{
    TIcon a = MakeIcon(qRgb(255, 0, 0));
    TIconList list;
    list.Add(&a);
    list.Add(nullptr);
    auto write = [](TIconList& written, TPersistent* ancestor) {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.Ancestor = ancestor;
        writer.WriteProperties(written);
        return stream.Bytes();
    };
    std::string bytes = write(list, nullptr);
    TMemoryStream raw;
    list.SaveToStream(raw);
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x05Icons\x0A", 7)) << "a raw-bytes property named Icons";
    EXPECT_NE(bytes.find(raw.Bytes()), std::string::npos) << "holding the list's own stream format";

    TIconList read;
    TStringStream stream(bytes);
    TReader(stream).ReadProperties(read);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Get(0)->Width(), 16);
    EXPECT_EQ(read.Get(1), nullptr);

    EXPECT_EQ(write(list, &list), std::string(1, '\0')) << "the ancestor's very icons: nothing but the end";
    EXPECT_EQ(write(read, &list), bytes) << "icons of the same count that are other objects are written";
    TIconList empty;
    EXPECT_EQ(write(empty, nullptr), std::string(1, '\0')) << "an empty list writes nothing";
}

// An icon made from a picture shows that picture at once and saves an icon file that loads back
// as it, whether it is saved itself or through a copy assigned before its first save.
TEST(Icon, APictureSavesAsAnIconFileAlsoThroughACopy)
{
    TIcon icon = MakeIcon(qRgb(0, 128, 255), 24);
    EXPECT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 24);
    TIcon copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) {
        ++changes;
        EXPECT_FALSE(copy.Empty()) << "empty while its change is announced";
    };
    copy.Assign(&icon);
    EXPECT_EQ(changes, 1);

    TMemoryStream saved, savedCopy;
    icon.SaveToStream(saved);
    copy.SaveToStream(savedCopy);
    ASSERT_GT(saved.Size(), 0);
    EXPECT_EQ(saved.Bytes(), savedCopy.Bytes());
    saved.SetPosition(0);
    TIcon loaded;
    loaded.LoadFromStream(saved);
    ASSERT_EQ(loaded.Width(), 24);
    EXPECT_EQ(loaded.Image().pixel(5, 5), qRgb(0, 128, 255));

    copy.OnChange = nullptr;
    copy.SetImage(QImage());
    EXPECT_TRUE(copy.Empty());
    TMemoryStream nothing;
    copy.SaveToStream(nothing);
    EXPECT_EQ(nothing.Size(), 0);
}

// The icon file is made once for a picture and its copies: the format's writer leaves some mask
// bytes to chance, so two makings of one picture can differ, and a list saved beside its icons
// would not match them.
TEST(Icon, APictureAndItsCopiesWriteOneIconFile)
{
    for (int i = 0; i < 16; ++i) {
        TIcon icon = MakeIcon(qRgb(i * 16, 255 - i, 7), 16 + i);
        TIcon copy, copyOfCopy;
        copy.Assign(&icon);
        copyOfCopy.Assign(&copy);
        TMemoryStream fromCopy, fromIcon, fromCopyOfCopy;
        copy.SaveToStream(fromCopy);
        icon.SaveToStream(fromIcon);
        copyOfCopy.SaveToStream(fromCopyOfCopy);
        EXPECT_EQ(fromCopy.Bytes(), fromIcon.Bytes()) << "picture " << i;
        EXPECT_EQ(fromCopyOfCopy.Bytes(), fromIcon.Bytes()) << "picture " << i;
    }
}
