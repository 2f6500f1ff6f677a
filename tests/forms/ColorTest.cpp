#include <QApplication>
#include <QPalette>
#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/PaletteColors.h"
#include <gtest/gtest.h>

TEST(Colors, NamesRoundTripInAnyCase)
{
    for (TColor color : {clBlack, clRed, clNavy, clBtnFace, clWindow, clHighlight, clInfoBk, clNone}) {
        AnsiString name = ColorToString(color);
        EXPECT_EQ(StringToColor(name), color) << name;
        EXPECT_EQ(StringToColor(LowerCase(name)), color) << name;
    }
    EXPECT_EQ(StringToColor("clred"), clRed);
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(StringToColor("$000000FF"), clRed);
    EXPECT_THROW(StringToColor("clPink"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}

TEST(Colors, SystemColoursFollowThePalette)
{
    InstallPaletteColors();
    QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0xAB, 0xCD, 0xEF));
    QApplication::setPalette(palette);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x563412u);
    EXPECT_EQ(ColorToRGB(clHighlight), 0xEFCDABu);
    EXPECT_EQ(ToQColor(clBtnFace), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    QApplication::setPalette(saved);
    EXPECT_EQ(ColorToRGB(clBtnFace) & 0xFFFFFFu,
              static_cast<std::uint32_t>(saved.color(QPalette::Active, QPalette::Button).red()) |
                  (static_cast<std::uint32_t>(saved.color(QPalette::Active, QPalette::Button).green()) << 8) |
                  (static_cast<std::uint32_t>(saved.color(QPalette::Active, QPalette::Button).blue()) << 16));
}
