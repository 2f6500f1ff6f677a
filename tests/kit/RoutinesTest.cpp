#include <gtest/gtest.h>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include "kit/CommandTokens.h"
#include "kit/DrawRoutines.h"
#include "kit/FileRoutines.h"
#include "kit/Icon.h"
#include "kit/WordRoutines.h"
#include "platform/core/Files.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/PaletteColors.h"
#include "platform/services/Metafile.h"

TEST(WordRoutines, DelimiterRunsSeparateOneWord)
{
    const AnsiString text = "10, 20,,30";
    EXPECT_EQ(ExtractNthWord(1, text, " ,"), "10");
    EXPECT_EQ(ExtractNthWord(2, text, " ,"), "20");
    EXPECT_EQ(ExtractNthWord(3, text, " ,"), "30");
    EXPECT_EQ(ExtractNthWord(4, text, " ,"), "");
    EXPECT_EQ(FindWordStart(3, text, " ,"), 9);
    EXPECT_EQ(FindWordStart(1, ",, a", " ,"), 4);
    EXPECT_EQ(ExtractNthWord(1, ",,, ", " ,"), "");
    EXPECT_EQ(ExtractNthWord(0, text, " ,"), "");
    EXPECT_EQ(ExtractNthWord(1, "", " ,"), "");
    EXPECT_EQ(ExtractNthWord(2, "a b", ""), "");
}

TEST(FileRoutines, ValidNamesRefuseOnlyTheSixCharacters)
{
    EXPECT_FALSE(IsValidFileName(""));
    for (const char* bad : {"a<b", "a>b", "a\"b", "a[b", "a]b", "a|b"})
        EXPECT_FALSE(IsValidFileName(bad)) << bad;
    for (const char* good : {"C:\\Ohjelmat\\", "/home/user/My Music/a.wav", " ", "d:x", "a*b?"})
        EXPECT_TRUE(IsValidFileName(good)) << good;
    EXPECT_FALSE(ContainsAnyChar("abc", ""));
}

TEST(FileRoutines, LongNameIsTheFoundEntrysNameOnly)
{
    QTemporaryDir dir;
    AnsiString folder = FromSystemPath(dir.path().toStdString()) + "/";
    AtomicWriteFile(folder + "Hälytys ääni.wav"_a, "x");
    ASSERT_TRUE(CreateDir(folder + "Sub"));
    EXPECT_EQ(ExpandToLongFileName(folder + "Hälytys ääni.wav"_a), "Hälytys ääni.wav"_a);
    EXPECT_EQ(ExpandToLongFileName(folder + "Sub"), "Sub");
    EXPECT_EQ(ExpandToLongFileName(folder + "*.wav"), "Hälytys ääni.wav"_a);
    EXPECT_EQ(ExpandToLongFileName(folder + "missing.wav"), "");
    EXPECT_EQ(ExpandToLongFileName(folder), "");
    EXPECT_EQ(ReduceToShortFileName(folder + "Sub"), "Sub");
    EXPECT_TRUE(DirectoryPresent(folder + "Sub"));
    EXPECT_FALSE(DirectoryPresent(folder + "Hälytys ääni.wav"_a));
    EXPECT_FALSE(DirectoryPresent(""));
}

TEST(CommandTokens, QuotesGroupBlanksAndNeverAppear)
{
    AnsiString program, parameters;
    SplitCommandLine("\"C:\\Program Files\\x.exe\" x \"two words\"", program, parameters);
    EXPECT_EQ(program, "C:\\Program Files\\x.exe");
    EXPECT_EQ(parameters, "x \"two words\"");

    EXPECT_EQ(CountCommandTokens("   \t "), 0);
    EXPECT_EQ(CountCommandTokens("\"\" a"), 1);
    EXPECT_EQ(GetCommandToken("\"\" a", 0), "a");
    EXPECT_EQ(GetCommandToken("a b", 2), "");
    EXPECT_EQ(GetCommandToken("ab\"c d\"e f", 0), "abc de");
    EXPECT_EQ(GetCommandToken("\"open", 0), "open");
    // Windows-1252 letters are token characters; the text ends at a NUL byte.
    EXPECT_EQ(CountCommandTokens(std::string_view("\xE4 b\0c", 5)), 2);
    // No length limit.
    EXPECT_EQ(GetCommandToken(AnsiString(1000, 'x') + " y", 0).size(), 1000u);

    SplitCommandLine("   ", program, parameters);
    EXPECT_EQ(program, "");
    EXPECT_EQ(parameters, "");
}

TEST(DrawRoutines, BitmapCellIsCutFromItsGridPlace)
{
    QImage grid(96, 39, QImage::Format_ARGB32);
    for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 96; ++x)
            grid.setPixel(x, y, qRgb(x / 16, y / 13, 0));
    TBitmap source;
    source.Assign(grid);
    TBitmap cell;
    AssignBitmapCell(&source, &cell, 6, 3, 7);
    ASSERT_EQ(cell.Width(), 16);
    ASSERT_EQ(cell.Height(), 13);
    EXPECT_EQ(cell.Image().pixel(0, 0), qRgb(1, 1, 0));
    EXPECT_EQ(cell.Image().pixel(15, 12), qRgb(1, 1, 0));

    AssignBitmapCell(&source, &cell, 0, 0, -3);
    EXPECT_EQ(cell.Width(), 96);
    AssignBitmapCell(nullptr, &cell, 6, 3, 1);
    EXPECT_EQ(cell.Width(), 96);
}

// A cell keeps what makes its source see-through: a bitmap's own transparent colour (not the
// cell's corner pixel) and the Transparent setting; icons and recorded pictures are drawn over
// silver, their see-through parts staying silver.
TEST(DrawRoutines, BitmapCellKeepsTheSourcesSeeThroughAndTakesIconsAndMetafiles)
{
    TBitmap source(32, 16);
    source.Canvas()->Brush()->SetColor(clRed);
    source.Canvas()->FillRect(Rect(16, 0, 32, 8));
    source.SetTransparentColor(clRed);
    source.SetTransparent(true);
    TBitmap cell;
    AssignBitmapCell(&source, &cell, 2, 1, 1);
    EXPECT_EQ(cell.TransparentColor(), clRed);
    EXPECT_TRUE(cell.Transparent());
    QImage below(16, 16, QImage::Format_ARGB32);
    below.fill(Qt::blue);
    QPainter painter(&below);
    cell.Draw(painter, 0, 0);
    painter.end();
    EXPECT_EQ(below.pixel(3, 3), qRgb(0, 0, 255)) << "the red top half is see-through";
    EXPECT_EQ(below.pixel(3, 12), qRgb(255, 255, 255));
    source.SetTransparent(false);
    AssignBitmapCell(&source, &cell, 2, 1, 1);
    EXPECT_FALSE(cell.Transparent());

    QImage picture(32, 16, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            picture.setPixel(x, y, qRgb(0, 255, 0));
    TIcon icon;
    icon.SetImage(picture);
    AssignBitmapCell(&icon, &cell, 2, 1, 1);
    ASSERT_EQ(cell.Width(), 16);
    EXPECT_EQ(cell.Image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_TRUE(cell.Transparent());
    AssignBitmapCell(&icon, &cell, 2, 1, 0);
    EXPECT_EQ(cell.Image().pixel(8, 8), qRgb(0xC0, 0xC0, 0xC0));

    TMetafile page(20, 10);
    page.Add(MetafileRectangle{Rect(10, 0, 20, 10), true, clBlue});
    AssignBitmapCell(&page, &cell, 2, 1, 1);
    ASSERT_EQ(cell.Width(), 10);
    EXPECT_EQ(cell.Image().pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_FALSE(cell.Transparent());
    AssignBitmapCell(&page, &cell, 2, 1, 0);
    EXPECT_EQ(cell.Image().pixel(5, 5), qRgb(0xC0, 0xC0, 0xC0));
}

TEST(DrawRoutines, DisabledBitmapEmbossesEverythingButTheOutlineColour)
{
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(ToQColor(clFuchsia));
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    TBitmap source;
    source.Assign(picture);
    std::unique_ptr<TBitmap> result = CreateTwoToneBitmap(source, clFuchsia, clWhite, true, clBlack, clRed);
    QImage image = result->Image().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255));
}

TEST(DrawRoutines, EllipsizeShortensFromTheEnd)
{
    TCanvas canvas;
    const AnsiString text = "Selaa tiedostoja";
    EXPECT_EQ(EllipsizeText(text, canvas, 10000), text);
    AnsiString shortened = EllipsizeText(text, canvas, canvas.TextWidth("Selaa..."));
    EXPECT_EQ(shortened, "Selaa...");
    EXPECT_EQ(EllipsizeText(text, canvas, 0), "...");
    EXPECT_EQ(EllipsizeText("", canvas, 0), "");
}
