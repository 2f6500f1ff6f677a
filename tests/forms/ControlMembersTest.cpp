// The members every control shares: hints, anchors, size limits, tab order, colour and border
// taken from the parent, reading order, input method and mouse moves.
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QTest>
#include <QToolTip>
#include "FieldOnPanel.h"
#include "FormsFixture.h"
#include "Input.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"

TEST_F(FormsTest, AHintShowsOnlyWhereShowHintHolds)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetHint("Paneeli");
    auto* edit = new TEdit(&form);
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 100, 21);
    edit->SetHint("Nimi|Kanavan nimi tilariville");
    auto* plain = new TEdit(&form);
    plain->SetParent(panel);
    plain->SetBounds(10, 40, 100, 21);
    form.Show();
    Flush();

    EXPECT_EQ(HintShownOver(edit->Widget()), "") << "no control shows hints by default";
    EXPECT_FALSE(edit->ShowHint());
    EXPECT_TRUE(edit->ParentShowHint());

    panel->SetShowHint(true);
    EXPECT_TRUE(edit->ShowHint()) << "a child with ParentShowHint takes its parent's";
    EXPECT_EQ(HintShownOver(edit->Widget()), "Nimi") << "the short hint, before the bar";
    EXPECT_EQ(HintShownOver(plain->Widget()), "Paneeli") << "a control without a hint shows its parent's";

    edit->SetShowHint(false);
    EXPECT_FALSE(edit->ParentShowHint()) << "an own setting ends following the parent";
    EXPECT_EQ(HintShownOver(edit->Widget()), "Paneeli") << "the nearest parent that shows hints shows its own";
    panel->SetShowHint(false);
    panel->SetShowHint(true);
    EXPECT_FALSE(edit->ShowHint());

    form.SetShowHint(false);
    panel->SetParentShowHint(true);
    edit->SetParentShowHint(true);
    EXPECT_FALSE(edit->ShowHint()) << "following the parent again takes its setting at once";
    EXPECT_EQ(HintShownOver(edit->Widget()), "");
    QToolTip::hideText();
}

TEST_F(FormsTest, AnchoredEdgesKeepTheirDistanceWhenTheParentResizes)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    auto make = [&](TAnchors anchors) {
        auto* child = new TPanel(&form);
        child->SetParent(panel);
        child->SetBounds(20, 10, 60, 30);
        child->SetAnchors(anchors);
        return child;
    };
    TPanel* fixed = make({akLeft, akTop});
    TPanel* stretched = make({akLeft, akTop, akRight, akBottom});
    TPanel* rightBottom = make({akRight, akBottom});
    TPanel* floating = make({});

    panel->SetBounds(0, 0, 300, 160);
    EXPECT_EQ(fixed->BoundsRect(), Bounds(20, 10, 60, 30));
    EXPECT_EQ(stretched->BoundsRect(), Bounds(20, 10, 160, 90)) << "120 from the right, 60 from the bottom";
    EXPECT_EQ(rightBottom->BoundsRect(), Bounds(120, 70, 60, 30));
    // The centre stood at 50 of 200 and 25 of 100: a quarter both ways.
    EXPECT_EQ(floating->BoundsRect(), Bounds(45, 25, 60, 30));

    panel->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(stretched->BoundsRect(), Bounds(20, 10, 60, 30)) << "back to its own size with the parent's";
    EXPECT_EQ(rightBottom->BoundsRect(), Bounds(20, 10, 60, 30));

    // Bounds given by code hold from then on.
    rightBottom->SetBounds(100, 50, 60, 30);
    panel->SetBounds(0, 0, 250, 100);
    EXPECT_EQ(rightBottom->BoundsRect(), Bounds(150, 50, 60, 30));
}

TEST_F(FormsTest, ConstraintsLimitEverySizeGiven)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    auto* child = new TPanel(&form);
    child->SetParent(panel);
    child->SetBounds(0, 0, 50, 50);
    child->Constraints()->SetMinWidth(40);
    child->Constraints()->SetMaxHeight(60);
    child->SetBounds(0, 0, 10, 90);
    EXPECT_EQ(child->Width(), 40);
    EXPECT_EQ(child->Height(), 60);

    child->SetAlign(alClient);
    EXPECT_EQ(child->Width(), 200) << "no upper limit on the width";
    EXPECT_EQ(child->Height(), 60) << "alignment is limited too";

    child->Constraints()->SetMaxHeight(30);
    EXPECT_EQ(child->Height(), 30) << "a new limit applies at once";
    child->Constraints()->SetMaxWidth(20);
    EXPECT_EQ(child->Constraints()->MinWidth(), 20) << "a maximum below the minimum takes the minimum down";
    EXPECT_EQ(child->Width(), 20);
    child->SetAlign(alNone);
    child->Constraints()->SetMinHeight(45);
    EXPECT_EQ(child->Constraints()->MaxHeight(), 45) << "a minimum above the maximum takes the maximum up";
    EXPECT_EQ(child->Constraints()->MinHeight(), 45);
    EXPECT_EQ(child->Height(), 45);
    child->SetBounds(0, 0, 20, 10);
    EXPECT_EQ(child->Height(), 45);
}

TEST_F(FormsTest, TabWalksTheControlsInTabOrder)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    std::vector<TEdit*> edits;
    for (int i = 0; i < 3; ++i) {
        auto* edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(10, 10 + 30 * i, 100, 21);
        edits.push_back(edit);
    }
    EXPECT_EQ(edits[2]->TabOrder(), 2) << "creation order first";
    edits[1]->SetTabOrder(0);
    EXPECT_EQ(edits[0]->TabOrder(), 1);
    form.Show();
    Flush();
    form.Widget()->activateWindow();
    edits[1]->SetFocus();
    Flush();
    std::vector<TEdit*> walked;
    for (int i = 0; i < 3; ++i) {
        PressKey(QApplication::focusWidget(), Qt::Key_Tab);
        Flush();
        for (TEdit* edit : edits)
            if (edit->Focused())
                walked.push_back(edit);
    }
    EXPECT_EQ(walked, (std::vector<TEdit*>{edits[0], edits[2], edits[1]}));

    edits[0]->SetTabOrder(99);
    EXPECT_EQ(edits[0]->TabOrder(), 2) << "past the end is the last place";
}

// Tab and Shift+Tab are the form's keys: they move the focus before the form's preview or the
// control's key handlers see them, whatever those do with keys, unless the control takes tabs.
TEST_F(FormsTest, TabMovesTheFocusBeforeAnyKeyHandlerUnlessTheControlWantsTabs)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* first = new TEdit(&form);
    auto* swallowing = new TEdit(&form);
    swallowing->OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
    swallowing->OnKeyPress = [](TObject*, char& key) { key = 0; };
    auto* memo = new TMemo(&form);
    const std::vector<TWinControl*> controls{first, swallowing, memo};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        controls[i]->SetParent(&form);
        controls[i]->SetBounds(10, 10 + 40 * static_cast<int>(i), 100, 30);
    }
    std::vector<WORD> previewed;
    form.KeyPreview = true;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) { previewed.push_back(key); };
    form.Show();
    Flush();
    form.Widget()->activateWindow();
    first->SetFocus();
    Flush();
    auto focused = [&]() -> TWinControl* {
        for (TWinControl* control : controls)
            if (control->Focused())
                return control;
        return nullptr;
    };

    // As the window system delivers them: Tab with its character, Shift+Tab as Backtab.
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        TWinControl* then;
    } walk[] = {
        {Qt::Key_Tab, Qt::NoModifier, swallowing},     {Qt::Key_Tab, Qt::NoModifier, memo},
        {Qt::Key_Tab, Qt::NoModifier, first},          {Qt::Key_Backtab, Qt::ShiftModifier, memo},
        {Qt::Key_Backtab, Qt::ShiftModifier, swallowing}, {Qt::Key_Backtab, Qt::ShiftModifier, first},
        {Qt::Key_Tab, Qt::NoModifier, swallowing},
    };
    for (std::size_t i = 0; i < std::size(walk); ++i) {
        PressKey(QApplication::focusWidget(), walk[i].key, walk[i].modifiers,
                 walk[i].key == Qt::Key_Tab ? QStringLiteral("\t") : QString());
        Flush();
        EXPECT_EQ(focused(), walk[i].then) << "step " << i;
    }
    EXPECT_TRUE(previewed.empty());

    // A memo that wants tabs keeps the key: the form previews it and the memo types it.
    memo->SetWantTabs(true);
    memo->SetFocus();
    Flush();
    PressKey(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    Flush();
    EXPECT_EQ(focused(), memo);
    EXPECT_EQ(memo->Text(), "\t");
    EXPECT_EQ(previewed, std::vector<WORD>{VK_TAB});
}

TEST_F(FormsTest, ParentColorFollowsTheParentUntilAColourIsSet)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetColor(clYellow);
    auto* child = new TPanel(&form);
    child->SetParentColor(true);
    child->SetParent(panel);
    child->SetBounds(10, 10, 50, 50);
    form.Show();
    Flush();
    auto pixel = [&] { return child->Widget()->grab().toImage().pixelColor(25, 25); };
    EXPECT_EQ(pixel(), QColor(Qt::yellow));
    panel->SetColor(clAqua);
    EXPECT_EQ(child->Color(), clAqua);
    EXPECT_EQ(pixel(), QColor(Qt::cyan));
    child->SetColor(clRed);
    EXPECT_FALSE(child->ParentColor());
    panel->SetColor(clLime);
    EXPECT_EQ(pixel(), QColor(Qt::red)) << "its own colour stays";
}

// A sheet is its page control's child: what a control takes from its parent passes from the form
// through the page control and the sheet to the fields on it, and to a sheet moved elsewhere.
TEST_F(FormsTest, TabSheetsPassTheParentSettingsOnToTheirControls)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetBounds(0, 0, 300, 200);
    auto* sheet = new TTabSheet(&form);
    sheet->SetPageControl(pages);
    auto* edit = new TEdit(&form);
    edit->SetParent(sheet);
    edit->SetBounds(10, 10, 100, 21);
    edit->SetHint("Nimi");
    auto* box = new TPanel(&form);
    box->SetParentColor(true);
    box->SetParent(sheet);
    box->SetBounds(10, 50, 50, 50);
    form.Show();
    Flush();

    EXPECT_EQ(sheet->Parent(), pages);
    auto* beside = new TEdit(&form);
    beside->SetParent(&form);
    const QFont before = beside->Widget()->font();
    form.Font()->SetName("Courier New");
    form.Font()->SetSize(14);
    ASSERT_NE(beside->Widget()->font(), before);
    EXPECT_EQ(edit->Widget()->font(), beside->Widget()->font()) << "the form's font reaches a field on a sheet";
    pages->SetColor(clYellow);
    EXPECT_EQ(box->Widget()->grab().toImage().pixelColor(25, 25), QColor(Qt::yellow));
    form.SetShowHint(true);
    EXPECT_EQ(HintShownOver(edit->Widget()), "Nimi");
    form.SetShowHint(false);
    EXPECT_EQ(HintShownOver(edit->Widget()), "");
    form.SetCtl3D(false);
    EXPECT_FALSE(edit->Ctl3D());
    form.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(edit->Widget()->layoutDirection(), Qt::RightToLeft);

    // Moved to a page control of its own settings, the sheet follows that one.
    auto* other = new TPageControl(&form);
    other->SetParent(&form);
    other->SetParentBiDiMode(false);
    other->SetBiDiMode(bdLeftToRight);
    sheet->SetPageControl(other);
    EXPECT_EQ(sheet->Parent(), other);
    EXPECT_EQ(pages->PageCount(), 0);
    EXPECT_EQ(edit->Widget()->layoutDirection(), Qt::LeftToRight);
    sheet->SetPageControl(nullptr);
    EXPECT_EQ(sheet->Parent(), nullptr);
    EXPECT_EQ(other->ControlCount(), 0);
    QToolTip::hideText();
}

TEST_F(FormsTest, ReadingOrderFollowsTheParentAndMirrorsTheControl)
{
    FieldOnPanel field;
    auto& [form, panel, edit] = field;
    panel->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(edit->UseRightToLeftReading());
    EXPECT_EQ(edit->Widget()->layoutDirection(), Qt::RightToLeft) << "text and scroll bar on the right-to-left side";
    panel->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_TRUE(edit->UseRightToLeftReading());
    EXPECT_EQ(edit->Widget()->layoutDirection(), Qt::LeftToRight) << "reading order only, nothing mirrored";
    edit->SetBiDiMode(bdLeftToRight);
    panel->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(edit->UseRightToLeftReading()) << "an own mode ends following the parent";
}

// What a control reports of its reading order is what it took from its parent or was given, and
// each mode mirrors only what it names.
TEST_F(FormsTest, ReadingOrderReportsTheModeInForce)
{
    FieldOnPanel field;
    auto& [form, panel, edit] = field;
    EXPECT_TRUE(edit->ParentBiDiMode());
    EXPECT_EQ(edit->BiDiMode(), bdLeftToRight);

    struct Mirrored {
        TBiDiMode mode;
        bool reading, alignment, scrollBar;
    };
    for (const Mirrored& expected : {Mirrored{bdLeftToRight, false, false, false}, Mirrored{bdRightToLeft, true, true, true},
                                     Mirrored{bdRightToLeftNoAlign, true, false, true},
                                     Mirrored{bdRightToLeftReadingOnly, true, false, false}}) {
        form.SetBiDiMode(expected.mode);
        EXPECT_EQ(edit->BiDiMode(), expected.mode) << "taken from the form through the panel";
        EXPECT_TRUE(edit->ParentBiDiMode());
        EXPECT_EQ(edit->UseRightToLeftReading(), expected.reading) << expected.mode;
        EXPECT_EQ(edit->UseRightToLeftAlignment(), expected.alignment) << expected.mode;
        EXPECT_EQ(edit->UseRightToLeftScrollBar(), expected.scrollBar) << expected.mode;
    }

    edit->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_FALSE(edit->ParentBiDiMode()) << "an own mode ends following the parent";
    form.SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(edit->BiDiMode(), bdRightToLeftNoAlign);
    EXPECT_EQ(panel->BiDiMode(), bdLeftToRight);
    edit->SetParentBiDiMode(true);
    EXPECT_TRUE(edit->ParentBiDiMode());
    EXPECT_EQ(edit->BiDiMode(), bdLeftToRight) << "following again takes the parent's mode at once";
}

TEST_F(FormsTest, ImeModeDisableKeepsTheInputMethodOut)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    form.Show();
    Flush();
    auto ask = [&](Qt::InputMethodQuery what) {
        QInputMethodQueryEvent query(what);
        QApplication::sendEvent(edit->Widget(), &query);
        return query.value(what);
    };
    auto commit = [&](const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit->Widget(), &event);
    };
    EXPECT_TRUE(ask(Qt::ImEnabled).toBool());
    commit("a");
    EXPECT_EQ(edit->Text(), "a");

    edit->SetImeMode(imDisable);
    EXPECT_FALSE(ask(Qt::ImEnabled).toBool()) << "the engine is told to stay off";
    commit("b");
    EXPECT_EQ(edit->Text(), "a") << "what an engine still sends is dropped";

    edit->SetImeMode(imAlpha);
    EXPECT_TRUE(ask(Qt::ImEnabled).toBool());
    EXPECT_TRUE(ask(Qt::ImHints).toInt() & Qt::ImhPreferLatin) << "Latin letters first";
}

TEST_F(FormsTest, OnMouseMoveHearsMovesOverTheControlOnly)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    auto* child = new TPanel(&form);
    child->SetParent(panel);
    child->SetBounds(100, 0, 50, 50);
    std::vector<QPoint> moves;
    panel->OnMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
        EXPECT_EQ(sender, panel);
        moves.emplace_back(x, y);
    };
    form.Show();
    Flush();
    QTest::mouseMove(panel->Widget(), QPoint(10, 20));
    QTest::mouseMove(panel->Widget(), QPoint(30, 40));
    EXPECT_EQ(moves, (std::vector<QPoint>{{10, 20}, {30, 40}})) << "moves without a button are heard";
    moves.clear();
    // The child leaves a move with a button held to its parent widget.
    QMouseEvent held(QEvent::MouseMove, QPointF(10, 10), QPointF(child->Widget()->mapToGlobal(QPoint(10, 10))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(child->Widget(), &held);
    EXPECT_TRUE(moves.empty()) << "a move over a child is not the parent's";
}

// A double click is one only for a control whose style says so; for the others it is a second
// press, as quick presses of a button are.
TEST_F(FormsTest, ADoubleClickIsOneOnlyWhereTheStyleAsksForIt)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    int presses = 0, doubleClicks = 0;
    TShiftState lastPress;
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int, int) {
        ++presses;
        lastPress = shift;
    };
    panel->OnDblClick = [&](TObject*) { ++doubleClicks; };
    form.Show();
    Flush();
    const auto doubleClick = [&] {
        ClickMouse(panel->Widget(), Qt::LeftButton, QPoint(50, 50));
        MouseButton(panel->Widget(), QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(50, 50));
        MouseButton(panel->Widget(), QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(50, 50));
    };

    EXPECT_TRUE(panel->ControlStyle().Contains(csDoubleClicks));
    doubleClick();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(presses, 2);
    EXPECT_TRUE(lastPress.Contains(ssDouble));

    panel->SetControlStyle(panel->ControlStyle() - TControlStyle{csDoubleClicks});
    presses = doubleClicks = 0;
    doubleClick();
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(presses, 2) << "the second press still reaches OnMouseDown";
    EXPECT_FALSE(lastPress.Contains(ssDouble));
}
