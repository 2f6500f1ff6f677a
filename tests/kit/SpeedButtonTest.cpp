#include <gtest/gtest.h>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "kit/SpeedButton.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/PaletteColors.h"

namespace {

TBitmap GlyphBitmap(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(ToQColor(clFuchsia));
    // Each picture gets its own colour in its middle.
    for (int x = 0; x < width; ++x)
        image.setPixel(x, height / 2, qRgb(10 * (x / height), 0, 0));
    TBitmap bitmap;
    bitmap.Assign(image);
    return bitmap;
}

void Mouse(TKitSpeedButton& button, QEvent::Type type, QPoint pos)
{
    MouseButton(button.Widget(), type, Qt::LeftButton, pos);
}

class SpeedButtonTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form.SetBounds(0, 0, 200, 100);
    }
    TKitSpeedButton* Make(int left)
    {
        auto* button = new TKitSpeedButton(&Form);
        button->SetParent(&Form);
        button->SetBounds(left, 0, 25, 25);
        return button;
    }
    TForm Form{nullptr};
};

} // namespace

TEST_F(SpeedButtonTest, GlyphPictureCountFollowsTheBitmapWidth)
{
    TKitButtonGlyph glyph;
    glyph.SetGlyph(GlyphBitmap(64, 16));
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    glyph.SetGlyph(GlyphBitmap(96, 16));
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.SetNumGlyphs(0);
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.SetNumGlyphs(9);
    EXPECT_EQ(glyph.NumGlyphs(), 5);
}

TEST_F(SpeedButtonTest, DisabledPictureIsEmbossedOrTheSecondOne)
{
    TKitButtonGlyph one;
    one.SetGlyph(GlyphBitmap(16, 16));
    int index = one.PictureIndex(bsDisabled);
    ASSERT_GE(index, 0);
    QImage disabled = one.GlyphList()->Image(index);
    // The glyph's own red line is gone: only shadow and highlight remain, the face is clear.
    EXPECT_EQ(disabled.pixel(3, 8), ToQColor(clBtnShadow).rgb());
    EXPECT_EQ(qAlpha(disabled.pixel(3, 2)), 0);

    TKitButtonGlyph two;
    two.SetGlyph(GlyphBitmap(32, 16));
    index = two.PictureIndex(bsDisabled);
    EXPECT_EQ(qRed(two.GlyphList()->Image(index).pixel(3, 8)), 10);
    // A down state with fewer than three pictures shows the up picture.
    EXPECT_EQ(qRed(two.GlyphList()->Image(two.PictureIndex(bsDown)).pixel(3, 8)), 0);
}

TEST_F(SpeedButtonTest, ClickOnlyWhenReleasedOverTheButton)
{
    TKitSpeedButton* button = Make(10);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    auto corner = [button] { return button->Widget()->grab().toImage().pixel(0, 0); };
    // Raised while up, sunk while held down.
    EXPECT_EQ(corner(), ToQColor(clBtnHighlight).rgb());
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(button->State(), bsDown);
    EXPECT_EQ(corner(), ToQColor(clWindowFrame).rgb());
    Mouse(*button, QEvent::MouseMove, QPoint(60, 5));
    EXPECT_EQ(button->State(), bsUp);
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(60, 5));
    EXPECT_EQ(clicks, 0);

    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseMove, QPoint(60, 5));
    Mouse(*button, QEvent::MouseMove, QPoint(6, 6));
    EXPECT_EQ(button->State(), bsDown);
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(6, 6));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->State(), bsUp);

    button->SetEnabled(false);
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, GroupKeepsOneButtonDown)
{
    TKitSpeedButton* buttons[3] = {Make(0), Make(30), Make(60)};
    for (TKitSpeedButton* button : buttons)
        button->SetGroupIndex(1);
    auto click = [](TKitSpeedButton* button) {
        Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
        Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    };
    click(buttons[0]);
    EXPECT_TRUE(buttons[0]->Down());
    click(buttons[0]);
    EXPECT_TRUE(buttons[0]->Down());
    click(buttons[1]);
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_FALSE(buttons[2]->Down());

    TKitSpeedButton* loose = Make(90);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
}

TEST_F(SpeedButtonTest, ButtonsOfOneGlyphSizeShareOneImageList)
{
    ASSERT_EQ(SharedGlyphCache(), nullptr);
    {
        TKitButtonGlyph a, b, c;
        a.SetGlyph(GlyphBitmap(16, 16));
        b.SetGlyph(GlyphBitmap(32, 16));
        c.SetGlyph(GlyphBitmap(14, 12));
        a.PictureIndex(bsUp);
        b.PictureIndex(bsUp);
        c.PictureIndex(bsUp);
        EXPECT_EQ(a.GlyphList(), b.GlyphList());
        EXPECT_NE(a.GlyphList(), c.GlyphList());
        ASSERT_NE(SharedGlyphCache(), nullptr);
        EXPECT_EQ(SharedGlyphCache()->ListCount(), 2);
    }
    EXPECT_EQ(SharedGlyphCache(), nullptr);
}

TEST_F(SpeedButtonTest, ModalResultGoesToTheFormAndAMenuTakesThePress)
{
    TKitSpeedButton* button = Make(10);
    button->SetModalResult(mrOk);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(Form.ModalResult(), mrOk);
    EXPECT_EQ(clicks, 1);

    TPopupMenu menu(&Form);
    int popups = 0;
    menu.OnPopup = [&](TObject*) { ++popups; };
    button->SetDropDownMenu(&menu);
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menu.PopupComponent(), button);
    EXPECT_EQ(button->State(), bsUp);
}
