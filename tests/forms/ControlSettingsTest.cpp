// Settings of the shared controls that change what the user sees or gets.
#include <QApplication>
#include <QClipboard>
#include <QToolButton>
#include "FieldOnPanel.h"
#include "FormsFixture.h"
#include "Input.h"
#include "WeekTabs.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Image.h"
#include "platform/forms/Memo.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"

namespace {

constexpr QRgb kRed = qRgb(200, 0, 0);

QImage Grab(TControl* control)
{
    return control->Widget()->grab().toImage();
}

} // namespace

TEST_F(FormsTest, AStretchedImageFillsItsControl)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(0, 0, 40, 40);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(kRed);
    TBitmap bitmap;
    bitmap.Assign(picture);
    image->SetPicture(bitmap);
    form.Show();
    Flush();
    EXPECT_EQ(Grab(image).pixel(5, 5), kRed);
    EXPECT_NE(Grab(image).pixel(35, 35), kRed) << "at its own size";
    image->SetStretch(true);
    EXPECT_TRUE(image->Stretch());
    EXPECT_EQ(Grab(image).pixel(35, 35), kRed);
    EXPECT_EQ(Grab(image).pixel(0, 0), kRed);
}

TEST_F(FormsTest, TabsAreAsTallAsTabHeightSaysAndAtLeastOnePixel)
{
    TForm form(nullptr);
    auto* tabs = AddWeekTabs(form);
    auto buttons = tabs->Widget()->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    tabs->SetTabHeight(30);
    EXPECT_EQ(tabs->TabHeight(), 30);
    for (QToolButton* button : buttons)
        EXPECT_EQ(button->height(), 30);
    tabs->SetTabHeight(0);
    EXPECT_EQ(tabs->TabHeight(), 1);
    EXPECT_EQ(buttons[0]->height(), 1);
}

TEST_F(FormsTest, ASimpleStatusBarShowsItsOneTextInsteadOfThePanels)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 100);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->Panels()->Add()->SetWidth(100);
    bar->Panels()->Add()->SetWidth(100);
    bar->Panels()->Items(0)->SetText("Ladataan...");
    form.Show();
    Flush();
    const QImage panels = Grab(bar);
    bar->SetSimplePanel(true);
    EXPECT_TRUE(bar->SimplePanel());
    const QImage simple = Grab(bar);
    EXPECT_NE(simple, panels);
    bar->Panels()->Items(0)->SetText("Valmis");
    EXPECT_EQ(Grab(bar), simple) << "the panels' texts are not shown";
    bar->SetSimpleText("Haetaan tietoja");
    EXPECT_EQ(bar->SimpleText(), "Haetaan tietoja");
    EXPECT_NE(Grab(bar), simple);
    bar->SetSimplePanel(false);
    EXPECT_NE(Grab(bar), panels) << "the panels come back with their new text";
}

TEST_F(FormsTest, AMemoReplacesItsSelectionAndTakesTabsOnlyWhenItWantsThem)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(0, 0, 200, 100);
    auto* after = new TEdit(&form);
    after->SetParent(&form);
    after->SetBounds(0, 120, 100, 21);
    memo->Lines()->Add("Uutiset klo 20");
    memo->SetSelStart(8);
    memo->SetSelLength(3);
    EXPECT_EQ(memo->SelText(), "klo");
    memo->SetSelText("kello");
    EXPECT_EQ(memo->Lines()->Get(0), "Uutiset kello 20");
    EXPECT_EQ(memo->SelLength(), 0);

    form.Show();
    Flush();
    form.Widget()->activateWindow();
    memo->SetFocus();
    Flush();
    EXPECT_FALSE(memo->WantTabs());
    PressKey(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, "\t");
    Flush();
    EXPECT_TRUE(after->Focused()) << "Tab moves on";
    memo->SetWantTabs(true);
    memo->SetFocus();
    Flush();
    memo->SetSelStart(0);
    PressKey(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, "\t");
    Flush();
    EXPECT_TRUE(memo->Focused());
    EXPECT_EQ(memo->Lines()->Get(0), "\tUutiset kello 20");
}

TEST_F(FormsTest, TextPutOnTheClipboardIsTheDesktopsInItsOwnCharacters)
{
    Clipboard()->SetAsText("P\xE4iv\xE4n ohjelmat");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Päivän ohjelmat"));
    EXPECT_EQ(Clipboard()->AsText(), "P\xE4iv\xE4n ohjelmat");
}

TEST_F(FormsTest, TextRectFillsItsRectangleAndDrawsNothingOutside)
{
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        canvas.Brush()->SetColor(clRed);
        canvas.Font()->SetColor(clBlack);
        canvas.TextRect(Rect(0, 0, 20, 20), 2, 2, "WWWWWWWW");
    }
    bool inkInside = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (x >= 20)
                ASSERT_EQ(colour, QColor(Qt::white)) << "clipped at " << x << "," << y;
            else if (colour.red() < 100)
                inkInside = true;
        }
    EXPECT_TRUE(inkInside) << "the text is drawn inside";
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red)) << "on the brush's colour";
}

TEST_F(FormsTest, ParentFontAndParentCtl3DFollowTheParentAgainWhenSet)
{
    FieldOnPanel field;
    auto& [form, panel, edit] = field;
    edit->Font()->SetSize(20);
    EXPECT_FALSE(edit->ParentFont()) << "an own font ends following the parent";
    panel->Font()->SetSize(9);
    EXPECT_EQ(edit->Font()->Size(), 20);
    edit->SetParentFont(true);
    EXPECT_EQ(edit->Font()->Size(), 9) << "the parent's font is taken at once";
    panel->Font()->SetSize(11);
    EXPECT_EQ(edit->Font()->Size(), 11);

    edit->SetCtl3D(false);
    EXPECT_FALSE(edit->ParentCtl3D());
    panel->SetCtl3D(true);
    EXPECT_FALSE(edit->Ctl3D());
    edit->SetParentCtl3D(true);
    EXPECT_TRUE(edit->Ctl3D()) << "the parent's look is taken at once";
    panel->SetCtl3D(false);
    EXPECT_FALSE(edit->Ctl3D());
}

TEST_F(FormsTest, AnEditHoldsNoMoreThanItsMaxLength)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    const AnsiString longText(300, 'x');
    edit->SetText(longText);
    EXPECT_EQ(edit->MaxLength(), 0);
    EXPECT_EQ(edit->Text(), longText) << "0 is no limit";

    edit->SetMaxLength(5);
    EXPECT_EQ(edit->MaxLength(), 5);
    EXPECT_EQ(edit->Text(), "xxxxx") << "what is there already is cut";
    edit->SetText("abcdefgh");
    EXPECT_EQ(edit->Text(), "abcde") << "text from code is cut";
    edit->SetText("abc");
    edit->SetSelStart(3);
    for (const char* typed : {"d", "e", "f"})
        PressKey(edit->Widget(), Qt::Key_unknown, Qt::NoModifier, typed);
    EXPECT_EQ(edit->Text(), "abcde") << "typing stops at the limit";

    edit->SetMaxLength(-3);
    EXPECT_EQ(edit->MaxLength(), 0) << "below 0 is no limit";
    edit->SetText(longText);
    EXPECT_EQ(edit->Text(), longText);
}

TEST_F(FormsTest, APanelsOuterBevelRaisesOrLowersItsEdge)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 60, 40);
    // The top-left edge against the bottom-right one: lighter when raised, darker when lowered.
    auto edges = [&] {
        QImage image = Grab(panel);
        return std::make_pair(qGray(image.pixel(0, 0)), qGray(image.pixel(image.width() - 1, image.height() - 1)));
    };
    EXPECT_EQ(panel->BevelOuter(), bvRaised);
    auto raised = edges();
    EXPECT_GT(raised.first, raised.second);

    panel->SetBevelOuter(bvLowered);
    EXPECT_EQ(panel->BevelOuter(), bvLowered);
    auto lowered = edges();
    EXPECT_LT(lowered.first, lowered.second);

    panel->SetBevelOuter(bvNone);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    auto flat = edges();
    EXPECT_EQ(flat.first, flat.second) << "no edge at all";
}
