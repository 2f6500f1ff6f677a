#include <QListWidget>
#include "FormsFixture.h"
#include "Input.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"

namespace {

class ListBoxTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form.SetBounds(10, 10, 300, 300);
        List = new TListBox(&Form);
        List->SetParent(&Form);
        List->SetBounds(0, 0, 200, 200);
        List->SetStyle(lbOwnerDrawFixed);
        List->SetItemHeight(20);
        for (const char* text : {"TV1", "TV2", "MTV3", "Nelonen"})
            List->Items()->Add(text);
        List->OnClick = [this](TObject*) { ++Clicks; };
        Form.Show();
        Flush();
    }
    QWidget* Viewport() const { return static_cast<QListWidget*>(List->Widget())->viewport(); }
    QPoint RowCentre(int row) const
    {
        TRect r = List->ItemRect(row);
        return QPoint(r.Left + 5, r.Top + r.Height() / 2);
    }

    TForm Form{nullptr};
    TListBox* List = nullptr;
    int Clicks = 0;
};

} // namespace

TEST_F(ListBoxTest, ItemIndexFromCodeRaisesNoEventAndToleratesAnyValue)
{
    List->SetItemIndex(2);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_TRUE(List->Selected(2));
    List->SetItemIndex(300);
    EXPECT_EQ(List->ItemIndex(), -1);
    List->SetItemIndex(-7);
    EXPECT_EQ(List->ItemIndex(), -1);
    List->SetSelected(1, true);
    EXPECT_EQ(List->ItemIndex(), 1);
    List->Items()->Put(1, "TV2 uusi");
    EXPECT_EQ(List->ItemIndex(), 1);
    List->SetSelected(0, false);
    EXPECT_EQ(List->ItemIndex(), 1);
    List->SetSelected(1, false);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_FALSE(List->Selected(1));
    List->Clear();
    List->SetItemIndex(0);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
    EXPECT_THROW(List->Selected(0), EListError);
}

TEST_F(ListBoxTest, SingleSelectDeselectsOnlyTheSelectedItem)
{
    List->SetSelected(1, true);
    List->SetSelected(2, false);
    EXPECT_EQ(List->ItemIndex(), 1);
    List->SetSelected(1, false);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_FALSE(List->Selected(1));
    EXPECT_EQ(List->SelCount(), 0);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(ListBoxTest, MultiSelectItemIndexMovesFocusOnly)
{
    List->SetMultiSelect(true);
    List->SetItemIndex(300);
    List->SetSelected(3, true);
    List->SetItemIndex(0);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_FALSE(List->Selected(0));
    EXPECT_TRUE(List->Selected(3));
    List->SetSelected(1, true);
    EXPECT_EQ(List->SelCount(), 2);
    List->SetItemIndex(300);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(ListBoxTest, UserClicksAndKeysRaiseOnClickEveryTime)
{
    ClickMouse(Viewport(), Qt::LeftButton, RowCentre(1));
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Clicks, 1);
    // Clicking the selected row again reports it again, so a view can be shown anew.
    ClickMouse(Viewport(), Qt::LeftButton, RowCentre(1));
    EXPECT_EQ(Clicks, 2);
    PressKey(List->Widget(), Qt::Key_Down);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Clicks, 3);
}

TEST_F(ListBoxTest, AClickBelowTheLastRowReportsNothing)
{
    List->SetItemIndex(1);
    const TRect last = List->ItemRect(3);
    // The last pixel row of the last item still is that item; the next one is empty space.
    ClickMouse(Viewport(), Qt::LeftButton, QPoint(5, last.Bottom - 1));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(Clicks, 1);
    ClickMouse(Viewport(), Qt::LeftButton, QPoint(5, last.Bottom + 1));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(List->ItemAtPos(Point(5, last.Bottom + 1)), -1);
    EXPECT_EQ(List->ItemAtPos(Point(5, last.Bottom - 1)), 3);
    // An empty list has nothing to report either.
    List->Items()->Clear();
    ClickMouse(Viewport(), Qt::LeftButton, QPoint(5, 5));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(ListBoxTest, RightPressDoesNotSelectButProgramCanClick)
{
    List->SetItemIndex(0);
    std::vector<TMouseButton> downs;
    List->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int X, int Y) {
        downs.push_back(button);
        if (button != mbRight)
            return;
        List->Perform(WM_LBUTTONDOWN, 0, X | (Y << 16));
        List->Perform(WM_LBUTTONUP, 0, X | (Y << 16));
    };
    MouseButton(Viewport(), QEvent::MouseButtonPress, Qt::RightButton, RowCentre(3));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(Clicks, 1);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], mbRight);
    EXPECT_EQ(downs[1], mbLeft); // the program's own left press

    List->OnMouseDown = nullptr;
    MouseButton(Viewport(), QEvent::MouseButtonPress, Qt::RightButton, RowCentre(2));
    EXPECT_EQ(List->ItemIndex(), 3);
}

TEST_F(ListBoxTest, OwnerDrawGetsAFreshlyPreparedCanvas)
{
    Form.Font()->SetName("Arial");
    Form.Font()->SetHeight(-12);
    List->SetItemIndex(1);
    struct Seen {
        TColor brush;
        TColor font;
        bool bold;
        TOwnerDrawState state;
        TRect rect;
    };
    std::vector<Seen> seen(4);
    List->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        TCanvas* canvas = List->Canvas();
        seen.at(index) = {canvas->Brush()->Color(), canvas->Font()->Color(), canvas->Font()->Style().Contains(fsBold), state, rect};
        EXPECT_EQ(canvas->Font()->Name(), "Arial");
        EXPECT_EQ(canvas->Font()->Height(), -12);
        // What one row changes must not leak into the next.
        canvas->Font()->SetStyle({fsBold});
        canvas->Font()->SetColor(clRed);
        canvas->FillRect(rect);
        canvas->TextOut(rect.Left + 2, rect.Top, List->Items()->Get(index));
    };
    List->Widget()->grab();
    EXPECT_EQ(seen[0].brush, clWindow);
    EXPECT_EQ(seen[0].font, clWindowText);
    EXPECT_FALSE(seen[0].state.Contains(odSelected));
    EXPECT_EQ(seen[1].brush, clHighlight);
    EXPECT_EQ(seen[1].font, clHighlightText);
    EXPECT_TRUE(seen[1].state.Contains(odSelected));
    for (const Seen& s : seen) {
        EXPECT_FALSE(s.bold);
        EXPECT_EQ(s.rect.Height(), 20);
    }
    EXPECT_EQ(seen[2].rect.Top, 40);
}
