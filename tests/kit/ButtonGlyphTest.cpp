// The see-through colour of a glyph is its bottom-left pixel's, compared without alpha.
#include <gtest/gtest.h>
#include "forms/FormsFixture.h"
#include <QPainter>
#include "kit/ButtonGlyph.h"
#include "kit/KitImageList.h"
#include "platform/forms/PaletteColors.h"

namespace {

QImage UpPicture(const TBitmap& bitmap, TKitButtonGlyph& glyph)
{
    glyph.SetGlyph(bitmap);
    int index = glyph.PictureIndex(bsUp);
    return glyph.GlyphList()->Image(index);
}

} // namespace

TEST_F(FormsTest, ANewBitmapIsWhiteSoTheBlackLinesDrawnOnItStay)
{
    TBitmap bitmap(11, 11);
    EXPECT_EQ(bitmap.Image().pixel(0, 10), qRgb(255, 255, 255));
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->MoveTo(1, 5);
    canvas->LineTo(10, 5);

    TKitButtonGlyph glyph;
    QImage up = UpPicture(bitmap, glyph);
    EXPECT_EQ(glyph.TransparentColor(), clWhite);
    EXPECT_EQ(up.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(up.pixel(5, 2)), 0);
}

TEST_F(FormsTest, AnAlphaChannelDoesNotHideTheSeeThroughColour)
{
    // Magenta with every alpha, black lines opaque: what a picture file with alpha gives.
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(255, 0, 255, 0));
    for (int x = 1; x < 7; ++x)
        image.setPixel(x, 3, qRgb(0, 0, 0));
    image.setPixel(4, 6, qRgba(255, 0, 255, 255));
    image.setPixel(5, 6, qRgba(255, 0, 255, 128));
    TBitmap bitmap;
    bitmap.Assign(image);

    TKitButtonGlyph glyph;
    QImage up = UpPicture(bitmap, glyph);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    EXPECT_EQ(up.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(up.pixel(4, 6)), 0);
    EXPECT_EQ(qAlpha(up.pixel(5, 6)), 0);
}

TEST(KitImageList, AnEmptyPictureTakesAPlaceAndDrawsNothing)
{
    TKitImageList list(8, 8);
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(qRgb(200, 0, 0));
    EXPECT_EQ(list.Add(red), 0);
    EXPECT_EQ(list.AddEmpty(), 1);
    EXPECT_EQ(list.Add(red), 2) << "the pictures after it keep their own places";
    ASSERT_EQ(list.Image(1).size(), QSize(8, 8));

    QImage target(8, 8, QImage::Format_ARGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        list.Draw(painter, 0, 0, 1);
    }
    EXPECT_EQ(target.pixel(3, 3), qRgb(255, 255, 255));
    {
        QPainter painter(&target);
        list.Draw(painter, 0, 0, 2);
    }
    EXPECT_EQ(target.pixel(3, 3), qRgb(200, 0, 0));
}
