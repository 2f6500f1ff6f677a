#include <QApplication>
#include <QPalette>
#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/PaletteColors.h"
#include <gtest/gtest.h>
#include <iterator>

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

// Every name a stored setting may hold ("clred" in QEX.INI), with the value pages and windows
// draw it in: one wrong entry would colour a programme in another colour.
TEST(Colors, EveryNameHasItsValueBothWays)
{
    struct Named {
        const char* name;
        std::uint32_t value;
    };
    const Named expected[] = {
        {"clBlack", 0x00000000},
        {"clMaroon", 0x00000080},
        {"clGreen", 0x00008000},
        {"clOlive", 0x00008080},
        {"clNavy", 0x00800000},
        {"clPurple", 0x00800080},
        {"clTeal", 0x00808000},
        {"clGray", 0x00808080},
        {"clSilver", 0x00C0C0C0},
        {"clRed", 0x000000FF},
        {"clLime", 0x0000FF00},
        {"clYellow", 0x0000FFFF},
        {"clBlue", 0x00FF0000},
        {"clFuchsia", 0x00FF00FF},
        {"clAqua", 0x00FFFF00},
        {"clWhite", 0x00FFFFFF},
        {"clScrollBar", 0x80000000},
        {"clBackground", 0x80000001},
        {"clActiveCaption", 0x80000002},
        {"clInactiveCaption", 0x80000003},
        {"clMenu", 0x80000004},
        {"clWindow", 0x80000005},
        {"clWindowFrame", 0x80000006},
        {"clMenuText", 0x80000007},
        {"clWindowText", 0x80000008},
        {"clCaptionText", 0x80000009},
        {"clActiveBorder", 0x8000000A},
        {"clInactiveBorder", 0x8000000B},
        {"clAppWorkSpace", 0x8000000C},
        {"clHighlight", 0x8000000D},
        {"clHighlightText", 0x8000000E},
        {"clBtnFace", 0x8000000F},
        {"clBtnShadow", 0x80000010},
        {"clGrayText", 0x80000011},
        {"clBtnText", 0x80000012},
        {"clInactiveCaptionText", 0x80000013},
        {"clBtnHighlight", 0x80000014},
        {"cl3DDkShadow", 0x80000015},
        {"cl3DLight", 0x80000016},
        {"clInfoText", 0x80000017},
        {"clInfoBk", 0x80000018},
        {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},
    };
    for (const Named& entry : expected) {
        EXPECT_EQ(static_cast<std::uint32_t>(StringToColor(entry.name)), entry.value) << entry.name;
        EXPECT_EQ(ColorToString(static_cast<TColor>(entry.value)), entry.name) << entry.name;
    }
    // The two names that repeat a value read as it, and the first name of the value is written.
    EXPECT_EQ(StringToColor("clLtGray"), clSilver);
    EXPECT_EQ(StringToColor("clDkGray"), clGray);
    EXPECT_EQ(ColorToString(clLtGray), "clSilver");
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

// Every system colour reads the palette entry of its meaning: faces, frames and shadows from
// the button roles, window and text from base and text, selection from the highlight, tips from
// the tool-tip roles, greyed text from the disabled group, inactive captions and borders from the
// inactive group.
TEST(Colors, EverySystemColourReadsItsOwnPaletteEntry)
{
    InstallPaletteColors();
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    // A colour of its own for every role of every group.
    const auto colourOf = [](QPalette::ColorGroup group, QPalette::ColorRole role) {
        return QColor(40 + 60 * static_cast<int>(group), 3 + 9 * static_cast<int>(role), 200);
    };
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(group, static_cast<QPalette::ColorRole>(role),
                             colourOf(group, static_cast<QPalette::ColorRole>(role)));
    QApplication::setPalette(palette);

    using P = QPalette;
    const std::pair<P::ColorGroup, P::ColorRole> entries[] = {
        {P::Active, P::Button},     {P::Active, P::Dark},        {P::Active, P::Highlight},     // scroll bar, desktop, active caption
        {P::Inactive, P::Mid},      {P::Active, P::Window},      {P::Active, P::Base},          // inactive caption, menu, window
        {P::Active, P::Shadow},     {P::Active, P::WindowText},  {P::Active, P::Text},          // window frame, menu text, window text
        {P::Active, P::HighlightedText}, {P::Active, P::Window}, {P::Inactive, P::Window},     // caption text, active and inactive border
        {P::Active, P::Dark},       {P::Active, P::Highlight},   {P::Active, P::HighlightedText}, // work space, selection and its text
        {P::Active, P::Button},     {P::Active, P::Dark},        {P::Disabled, P::Text},        // button face and shadow, greyed text
        {P::Active, P::ButtonText}, {P::Disabled, P::WindowText}, {P::Active, P::Light},       // button text, inactive caption text, button light
        {P::Active, P::Shadow},     {P::Active, P::Midlight},    {P::Active, P::ToolTipText},   // dark shadow, 3-D light, tip text
        {P::Active, P::ToolTipBase},                                                             // tip background
    };
    for (int index = 0; index < static_cast<int>(std::size(entries)); ++index) {
        const QColor expected = colourOf(entries[index].first, entries[index].second);
        const auto value = static_cast<std::uint32_t>(expected.red()) | (static_cast<std::uint32_t>(expected.green()) << 8) |
                           (static_cast<std::uint32_t>(expected.blue()) << 16);
        EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x80000000u | index)), value) << "system colour " << index;
    }
    QApplication::setPalette(saved);
}
