// Text on a canvas: an opaque brush fills exactly the text's extent, and the pen ends right
// after the text, where a following LineTo starts.
#include "platform/core/Colors.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/Font.h"
#include <QFont>
#include <gtest/gtest.h>

namespace {

bool PixelIs(const TBitmap& bitmap, int x, int y, QRgb colour)
{
    return (bitmap.Image().pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
}

} // namespace

TEST(CanvasText, BrushFillsTheTextExtentAndThePenEndsAfterIt)
{
    TBitmap bitmap(200, 40);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-12);
    canvas->Brush()->SetColor(clYellow);
    canvas->Pen()->SetColor(clRed);
    const AnsiString text = "Abc Wy";
    const int width = canvas->TextWidth(text);
    const int height = canvas->TextHeight(text);
    ASSERT_GT(width, 10);

    canvas->TextOut(10, 5, text);
    EXPECT_TRUE(PixelIs(bitmap, 10, 5 + height - 1, qRgb(255, 255, 0)));
    EXPECT_TRUE(PixelIs(bitmap, 9, 5, qRgb(255, 255, 255))) << "filled left of the text";
    EXPECT_TRUE(PixelIs(bitmap, 10 + width, 5, qRgb(255, 255, 255))) << "filled right of the text";
    EXPECT_TRUE(PixelIs(bitmap, 10, 5 + height, qRgb(255, 255, 255))) << "filled under the text";

    canvas->LineTo(150, 5);
    EXPECT_TRUE(PixelIs(bitmap, 10 + width, 5, qRgb(255, 0, 0))) << "the line starts elsewhere";
    EXPECT_FALSE(PixelIs(bitmap, 10 + width - 1, 5, qRgb(255, 0, 0))) << "the line starts inside the text";
}

// The families the forms and pages name are drawn with the installed fonts of the same widths,
// whatever the case of the name; any other family is asked for as named.
TEST(CanvasText, NamedFamiliesAreDrawnWithTheirInstalledMatches)
{
    const std::pair<const char*, const char*> families[] = {
        {"MS Sans Serif", "Liberation Sans"},   {"Microsoft Sans Serif", "Liberation Sans"},
        {"MS Shell Dlg", "Liberation Sans"},    {"MS Shell Dlg 2", "Liberation Sans"},
        {"Arial", "Liberation Sans"},           {"Tahoma", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},     {"Courier", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"}, {"Verdana", "DejaVu Sans"},
        {"arial", "Liberation Sans"},           {"COURIER NEW", "Liberation Mono"},
        {"DejaVu Serif", "DejaVu Serif"},       {"Arial Black", "Arial Black"},
        {"Courie", "Courie"},
    };
    for (const auto& [named, drawn] : families) {
        TFont font;
        font.SetName(named);
        EXPECT_EQ(font.ToQFont().family().toStdString(), drawn) << named;
    }
}
