#include <gtest/gtest.h>
#include <memory>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolTip>
#include "kit/CancelMode.h"
#include "kit/ComboEdits.h"
#include "kit/SpeedButton.h"
#include "platform/forms/Action.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/Panel.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/PaletteColors.h"

// QTest declares qt_sendShortcutOverrideEvent, Qt's own entry for a key that the window system
// hands on: it tries the shortcuts first.

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

// True when a shortcut took the key.
bool PressShortcut(QWidget* window, int key, Qt::KeyboardModifiers modifiers)
{
    return qt_sendShortcutOverrideEvent(window, 0, key, modifiers);
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

TEST_F(SpeedButtonTest, TheSharedListStaysUntilItsLastButtonGoes)
{
    ASSERT_EQ(SharedGlyphCache(), nullptr);
    auto first = std::make_unique<TKitButtonGlyph>();
    int usedByBoth = 0;
    {
        TKitButtonGlyph second;
        for (TKitButtonGlyph* glyph : {first.get(), &second}) {
            glyph->SetGlyph(GlyphBitmap(16, 16));
            glyph->PictureIndex(bsUp);
        }
        ASSERT_NE(SharedGlyphCache(), nullptr);
        EXPECT_EQ(SharedGlyphCache()->ListCount(), 1);
        usedByBoth = first->GlyphList()->UsedCount();
    }
    // One of two users gone: the list and the cache stay for the other.
    ASSERT_NE(SharedGlyphCache(), nullptr);
    EXPECT_EQ(SharedGlyphCache()->ListCount(), 1);
    EXPECT_GT(first->GlyphList()->UsedCount(), 0);
    EXPECT_LT(first->GlyphList()->UsedCount(), usedByBoth);
    first.reset();
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

namespace {

// A combo edit whose drop-down stays a flag: enough to see what closes it.
class TDropDownEdit : public TComboEdit {
public:
    explicit TDropDownEdit(TComponent* owner) : TComboEdit(owner) { FPopup = new TPanel(owner); }
    using TComboEdit::PopupDropDown;

protected:
    void ShowPopup(TPoint) override {}
    void HidePopup() override {}
};

} // namespace

TEST_F(SpeedButtonTest, TheMenuOpensAtTheButtonAsItsAlignmentSays)
{
    Form.SetBounds(100, 100, 300, 200);
    TKitSpeedButton* button = Make(40);
    button->SetBounds(40, 30, 60, 20);
    TPopupMenu menu(&Form);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Tulosta");
    menu.Items()->Add(item);
    button->SetDropDownMenu(&menu);
    Form.Show();
    QMenu* shown = menu.Items()->SubMenu();
    auto opensAt = [&](TDropDownMenuPos position, TPopupAlignment alignment) {
        button->SetMenuPosition(position);
        menu.SetAlignment(alignment);
        button->PopupDropDownMenu();
        QPoint at = shown->pos();
        shown->hide();
        int width = shown->sizeHint().width();
        TPoint origin = button->ClientToScreen(Point(0, 0));
        // The point the menu is aligned at, relative to the button.
        int shift = alignment == paRight ? width : alignment == paCenter ? width / 2 : 0;
        return std::pair(at.x() + shift - origin.X, at.y() - origin.Y);
    };
    using P = std::pair<int, int>;
    EXPECT_EQ(opensAt(dmpBottom, paLeft), P(-1, 20));
    EXPECT_EQ(opensAt(dmpBottom, paRight), P(61, 20));
    EXPECT_EQ(opensAt(dmpBottom, paCenter), P(30, 20));
    EXPECT_EQ(opensAt(dmpRight, paLeft), P(60, -1));
    EXPECT_EQ(opensAt(dmpRight, paRight), P(-1, -1));
    EXPECT_EQ(opensAt(dmpRight, paCenter), P(30, 20));

    // A menu that does not pop up by itself leaves the press to the button.
    Flush();
    menu.SetAutoPopup(false);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, OpeningTheMenuClosesADropDownOfTheFocusedControl)
{
    auto* edit = new TDropDownEdit(&Form);
    edit->SetParent(&Form);
    edit->SetBounds(40, 0, 120, 21);
    TKitSpeedButton* button = Make(10);
    TPopupMenu menu(&Form);
    button->SetDropDownMenu(&menu);
    Form.Show();
    QApplication::setActiveWindow(Form.Widget());
    edit->PopupDropDown(false);
    ASSERT_TRUE(edit->PopupVisible());
    ASSERT_TRUE(edit->Focused());
    // The edit's own button leaves it open; any other control's notice closes it.
    SendCancelMode(edit->Button());
    EXPECT_TRUE(edit->PopupVisible());
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_FALSE(edit->PopupVisible());
}

TEST_F(SpeedButtonTest, TheCaptionsAcceleratorClicksAnEnabledButton)
{
    TKitSpeedButton* button = Make(10);
    button->SetBounds(10, 0, 80, 25);
    button->SetCaption("&Tulosta");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Form.Show();
    QApplication::setActiveWindow(Form.Widget());
    EXPECT_TRUE(PressShortcut(Form.Widget(), Qt::Key_T, Qt::AltModifier));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(PressShortcut(Form.Widget(), Qt::Key_U, Qt::AltModifier));
    button->SetEnabled(false);
    PressShortcut(Form.Widget(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    // "&&" is an ampersand, not an accelerator.
    button->SetEnabled(true);
    button->SetCaption("A&&B");
    EXPECT_FALSE(PressShortcut(Form.Widget(), Qt::Key_B, Qt::AltModifier));
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, AnActionGivesItsStateAndPictureAndRunsOnClick)
{
    TImageList images(&Form);
    images.SetSize(16, 16);
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(8, 8, qRgb(255, 0, 0));
    TBitmap bitmap;
    bitmap.Assign(picture);
    images.Add(bitmap);
    TActionList actions(&Form);
    actions.SetImages(&images);
    TAction action(&Form);
    action.SetActionList(&actions);
    action.SetCaption("Tulosta");
    action.SetHint("Tulostaa sivut");
    action.SetImageIndex(0);
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };

    TKitSpeedButton* button = Make(10);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), "Tulosta");
    EXPECT_EQ(button->Hint(), "Tulostaa sivut");
    ASSERT_EQ(button->Glyph().Width(), 16);
    QImage glyph = button->Glyph().Image();
    EXPECT_EQ(glyph.pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(glyph.pixel(0, 15), ToQColor(clFuchsia).rgb());

    action.SetChecked(true);
    EXPECT_TRUE(button->Down());
    action.SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    action.SetEnabled(true);
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(executed, 1);

    // A button with a glyph of its own keeps it.
    TKitSpeedButton* other = Make(40);
    other->SetGlyph(GlyphBitmap(20, 20));
    other->SetAction(&action);
    EXPECT_EQ(other->Glyph().Width(), 20);
}

TEST_F(SpeedButtonTest, AFreedActionLeavesTheButton)
{
    TKitSpeedButton* button = Make(10);
    auto* action = new TAction(&Form);
    button->SetAction(action);
    delete action;
    EXPECT_EQ(button->Action(), nullptr);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, APressThatClosesTheMenuDoesNotOpenItAgain)
{
    TKitSpeedButton* button = Make(10);
    TPopupMenu menu(&Form);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Tulosta");
    menu.Items()->Add(item);
    button->SetDropDownMenu(&menu);
    int popups = 0;
    menu.OnPopup = [&](TObject*) { ++popups; };
    Form.Show();
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    QMenu* shown = menu.Items()->SubMenu();
    ASSERT_TRUE(shown->isVisible());
    // A press on the button closes the menu, and the window system then hands the press on to
    // the button: it is dropped.
    shown->hide();
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(shown->isVisible());
    // A later press opens it again.
    Flush();
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(popups, 2);
    shown->hide();
}

TEST_F(SpeedButtonTest, AButtonShowsItsHintAndAnEditsButtonAsItsEditDoes)
{
    TKitSpeedButton* button = Make(10);
    button->SetHint("Tulosta");
    auto* edit = new TComboEdit(&Form);
    edit->SetParent(&Form);
    edit->SetBounds(50, 40, 120, 21);
    edit->SetButtonHint("Valitse");
    Form.Show();
    Flush();
    EXPECT_EQ(HintShownOver(button->Widget()), "Tulosta") << "the form shows no hints, the button does";
    EXPECT_EQ(HintShownOver(edit->Button()->Widget()), "");
    edit->SetShowHint(true);
    EXPECT_EQ(HintShownOver(edit->Button()->Widget()), "Valitse");
    QToolTip::hideText();
}

TEST_F(SpeedButtonTest, EnteringAndLeavingAreHeardAndAFlatButtonFramesOnlyUnderTheMouse)
{
    TKitSpeedButton* button = Make(10);
    button->SetFlat(true);
    std::vector<std::string> heard;
    button->OnMouseEnter = [&](TObject*) { heard.push_back("enter"); };
    button->OnMouseLeave = [&](TObject*) { heard.push_back("leave"); };
    Form.Show();
    Form.Widget()->activateWindow();
    Flush();
    auto corner = [button] { return button->Widget()->grab().toImage().pixel(0, 0); };
    QRgb flat = corner();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(button->Widget()->mapToGlobal(QPoint(5, 5))));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button->Widget(), &enter);
    EXPECT_TRUE(button->MouseInControl());
    EXPECT_NE(corner(), flat) << "framed while the mouse is over it";
    QApplication::sendEvent(button->Widget(), &leave);
    EXPECT_EQ(corner(), flat);
    EXPECT_EQ(heard, (std::vector<std::string>{"enter", "leave"}));

    // Held down, the button keeps the mouse until the release.
    QApplication::sendEvent(button->Widget(), &enter);
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    QApplication::sendEvent(button->Widget(), &leave);
    EXPECT_EQ(heard.size(), 3u);
    button->SetEnabled(false);
    heard.clear();
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    QApplication::sendEvent(button->Widget(), &enter);
    EXPECT_TRUE(std::find(heard.begin(), heard.end(), "enter") == heard.end()) << "a disabled button hears no entering";
}

TEST_F(SpeedButtonTest, HeldDownWithAllowTimerItClicksAgainAfterThePause)
{
    TKitSpeedButton* button = Make(10);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Form.Show();
    Flush();
    auto hold = [&](unsigned pause, unsigned interval) {
        button->SetInitPause(pause);
        button->SetRepeatInterval(interval);
        QTest::mouseMove(button->Widget(), QPoint(5, 5));
        Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    };

    hold(1, 1);
    QTest::qWait(100);
    EXPECT_EQ(clicks, 0) << "without AllowTimer a held button waits for the release";
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);

    button->SetAllowTimer(true);
    clicks = 0;
    hold(1, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks >= 3; }, 10000)) << "it repeats while held";
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    int released = clicks;
    QTest::qWait(100);
    EXPECT_EQ(clicks, released) << "the release stops the repeat";

    // The first repeat waits for InitPause, the next ones for RepeatInterval.
    clicks = 0;
    hold(60000, 1);
    QTest::qWait(200);
    EXPECT_EQ(clicks, 0);
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));

    // Held but moved off the button it stops clicking.
    clicks = 0;
    hold(1, 1);
    Mouse(*button, QEvent::MouseMove, QPoint(60, 5));
    QTest::qWait(100);
    EXPECT_EQ(clicks, 0);
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(60, 5));
    EXPECT_EQ(clicks, 0);
}

TEST_F(SpeedButtonTest, InAutomaticDragModeAPressDragsTheButtonInsteadOfClickingIt)
{
    TKitSpeedButton* button = Make(10);
    auto* site = new TPanel(&Form);
    site->SetParent(&Form);
    site->SetBounds(100, 0, 90, 90);
    site->SetDockSite(true);
    int clicks = 0;
    std::vector<std::string> heard;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->OnStartDock = [&](TObject*, TObject*&) { heard.push_back("start dock"); };
    button->OnEndDock = [&](TObject*, TObject* target, int, int) {
        heard.push_back(target == site ? "docked" : "not docked");
    };
    button->DragMode = dmAutomatic;
    button->DragKind = dkDock;
    Form.Show();
    Flush();
    QPoint to = button->Widget()->mapFromGlobal(site->Widget()->mapToGlobal(QPoint(30, 40)));
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseMove, QPoint(5, 15));
    Mouse(*button, QEvent::MouseMove, to);
    Mouse(*button, QEvent::MouseButtonRelease, to);
    EXPECT_EQ(heard, (std::vector<std::string>{"start dock", "docked"}));
    EXPECT_EQ(button->Parent(), site);
    EXPECT_EQ(button->Left(), 30);
    EXPECT_EQ(clicks, 0);

    // A press and release without moving ends the drag unclicked; in manual mode it clicks.
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(heard.back(), "not docked");
    EXPECT_EQ(clicks, 0);
    button->DragMode = dmManual;
    Mouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

namespace {

constexpr QRgb kGlyphRed = qRgb(200, 0, 0);

// A one-picture glyph: a solid square in a colour nothing else on the button has.
TBitmap SquareGlyph(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(kGlyphRed);
    image.setPixel(0, size - 1, ToQColor(clFuchsia).rgb()); // the transparent colour is bottom left
    TBitmap bitmap;
    bitmap.Assign(image);
    return bitmap;
}

// Where the glyph's colour shows on the button's face.
QRect GlyphPlace(TKitSpeedButton* button)
{
    QImage image = button->Widget()->grab().toImage();
    QRect place;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kGlyphRed)
                place |= QRect(x, y, 1, 1);
    return place;
}

} // namespace

TEST_F(SpeedButtonTest, LayoutMarginAndSpacingPlaceTheGlyphOnTheFace)
{
    TKitSpeedButton* button = Make(10);
    button->SetBounds(10, 0, 80, 60);
    button->SetGlyph(SquareGlyph(12));
    Form.Show();
    Flush();

    button->SetLayout(blGlyphLeft);
    button->SetMargin(4);
    const QRect left = GlyphPlace(button);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_EQ(button->Layout(), blGlyphLeft);
    EXPECT_EQ(button->Margin(), 4);
    button->SetMargin(10);
    EXPECT_EQ(GlyphPlace(button).left(), left.left() + 6) << "the margin is kept from the left edge";
    button->SetMargin(4);
    button->SetLayout(blGlyphRight);
    EXPECT_EQ(79 - GlyphPlace(button).right(), left.left()) << "and from the right edge on the right";
    EXPECT_EQ(GlyphPlace(button).top(), left.top()) << "centred across";

    button->SetLayout(blGlyphTop);
    const QRect top = GlyphPlace(button);
    button->SetLayout(blGlyphBottom);
    const QRect bottom = GlyphPlace(button);
    EXPECT_EQ(59 - bottom.bottom(), top.top());
    EXPECT_LT(top.bottom(), 30);
    EXPECT_GT(bottom.top(), 30);

    // Centred (no margin), a wider space to the caption moves the glyph away by half of it.
    button->SetCaption("Ab");
    button->SetLayout(blGlyphLeft);
    button->SetMargin(-1);
    button->SetSpacing(1);
    const int narrow = GlyphPlace(button).left();
    button->SetSpacing(9);
    EXPECT_EQ(button->Spacing(), 9);
    EXPECT_EQ(GlyphPlace(button).left(), narrow - 4);
}

TEST_F(SpeedButtonTest, AFlatButtonGraysItsGlyphUntilTheMouseComesUnlessToldNotTo)
{
    TKitSpeedButton* button = Make(10);
    button->SetBounds(10, 0, 40, 40);
    button->SetGlyph(SquareGlyph(12));
    button->SetFlat(true);
    EXPECT_TRUE(button->Flat());
    Form.Show();
    Flush();
    QEvent leave(QEvent::Leave);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(button->Widget()->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(button->Widget(), &leave);
    ASSERT_FALSE(button->MouseInControl());
    EXPECT_TRUE(button->GrayedInactive());
    EXPECT_TRUE(GlyphPlace(button).isEmpty()) << "away from the mouse the glyph is grayed";
    QApplication::sendEvent(button->Widget(), &enter);
    EXPECT_FALSE(GlyphPlace(button).isEmpty()) << "under the mouse it has its own colours";
    QApplication::sendEvent(button->Widget(), &leave);
    button->SetGrayedInactive(false);
    EXPECT_FALSE(GlyphPlace(button).isEmpty()) << "and away from it too when told not to gray it";
}

TEST_F(SpeedButtonTest, ADropDownMenuIsMarkedOnTheFaceUnlessToldNotTo)
{
    TKitSpeedButton* button = Make(10);
    button->SetBounds(10, 0, 40, 25);
    Form.Show();
    Flush();
    const QImage plain = button->Widget()->grab().toImage();
    TPopupMenu menu(&Form);
    button->SetDropDownMenu(&menu);
    EXPECT_EQ(button->DropDownMenu(), &menu);
    EXPECT_TRUE(button->MarkDropDown());
    EXPECT_NE(button->Widget()->grab().toImage(), plain) << "an arrow marks the menu";
    button->SetMarkDropDown(false);
    EXPECT_EQ(button->Widget()->grab().toImage(), plain);
    button->SetDropDownMenu(nullptr);
}
