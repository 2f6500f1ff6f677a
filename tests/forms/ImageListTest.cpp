#include "platform/forms/ImageList.h"
#include <gtest/gtest.h>

namespace {

TBitmap Filled(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(colour);
    TBitmap bitmap;
    bitmap.Assign(picture);
    return bitmap;
}

} // namespace

// A picture given to be made later is made at its first use only, whichever use that is, once,
// and fitted to the list's size as one added at once.
TEST(ImageList, ADeferredPictureIsMadeOnceAtItsFirstUse)
{
    TImageList images(nullptr);
    images.SetSize(16, 16);
    int made = 0;
    images.Add(Filled(16, 16, qRgb(0, 0, 255)));
    const int index = images.AddDeferred([&made] {
        ++made;
        return Filled(32, 32, qRgb(255, 0, 0));
    });
    const int unused = images.AddDeferred([&made] {
        ++made;
        return Filled(16, 16, qRgb(0, 255, 0));
    });
    EXPECT_EQ(index, 1);
    EXPECT_EQ(unused, 2);
    EXPECT_EQ(images.Count(), 3);
    EXPECT_EQ(made, 0);

    TBitmap bitmap;
    ASSERT_TRUE(images.GetBitmap(index, &bitmap));
    EXPECT_EQ(made, 1);
    const QImage picture = images.Image(index);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(picture.size(), QSize(16, 16));
    EXPECT_EQ(picture.pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(bitmap.Image().pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(images.Image(0).pixel(8, 8), qRgb(0, 0, 255));

    // A new size clears the list: what was never made is never made.
    images.SetSize(16, 16);
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(made, 1);
}
