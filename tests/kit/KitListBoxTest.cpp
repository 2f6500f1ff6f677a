#include <gtest/gtest.h>
#include <QListWidget>
#include <QScrollBar>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "kit/TextListBox.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Form.h"
#include "platform/forms/PaletteColors.h"

namespace {

int WidthOf(TKitCustomListBox& list, const AnsiString& text)
{
    list.Canvas()->Font()->Assign(*list.Font());
    return list.Canvas()->TextWidth(text + "x");
}

class KitListBoxTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        List = new TTextListBox(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 120, 150);
    }
    void TearDown() override
    {
        delete Form;
        FormsTest::TearDown();
    }
    TForm* Form = nullptr;
    TTextListBox* List = nullptr;
};

} // namespace

TEST_F(KitListBoxTest, HorizontalRangeFollowsTheWidestItem)
{
    TStrings* items = List->Items();
    EXPECT_EQ(List->HorizontalExtent(), 0);
    items->Add("TV1");
    EXPECT_EQ(List->HorizontalExtent(), WidthOf(*List, "TV1"));
    const AnsiString longest = "Discovery Channel Scandinavia";
    items->Add(longest);
    items->Add("Nelonen Plus");
    EXPECT_EQ(List->HorizontalExtent(), WidthOf(*List, longest));

    items->Delete(2);
    EXPECT_EQ(List->HorizontalExtent(), WidthOf(*List, longest));

    Form->Show();
    QScrollBar* bar = static_cast<QListWidget*>(List->Widget())->horizontalScrollBar();
    bar->setValue(5);
    ASSERT_EQ(bar->value(), 5);
    items->Delete(1);
    EXPECT_EQ(List->HorizontalExtent(), WidthOf(*List, "TV1"));
    EXPECT_EQ(bar->value(), 0);

    items->Insert(0, longest);
    EXPECT_EQ(List->HorizontalExtent(), WidthOf(*List, longest));
    List->Font()->SetHeight(-20);
    EXPECT_EQ(List->HorizontalExtent(), WidthOf(*List, longest));
    EXPECT_GT(List->HorizontalExtent(), 0);

    items->Clear();
    EXPECT_EQ(List->HorizontalExtent(), 0);
}

TEST_F(KitListBoxTest, TabsExpandToTheDialogUnitStop)
{
    TKitCustomListBox list(nullptr);
    list.SetAutoScroll(true);
    list.Canvas()->Font()->Assign(*list.Font());
    int zero = list.Canvas()->TextWidth("0");
    ASSERT_EQ(zero, 6) << "the default font's digit width changed";
    list.SetTabWidth(8);
    list.Items()->Add("\tb");
    // One stop at Round(8 x 6 / 4) = 12 pixels.
    EXPECT_EQ(list.HorizontalExtent(), 12 + list.Canvas()->TextWidth("bx"));
    list.SetTabWidth(0);
    EXPECT_EQ(list.HorizontalExtent(), list.Canvas()->TextWidth("\tbx"));
}

TEST_F(KitListBoxTest, SortedListsPlaceAddedItemsAndBadIndexesRaise)
{
    TStrings* items = List->Items();
    items->Add("MTV3");
    items->Add("arte");
    List->SetSorted(true);
    EXPECT_EQ(items->Get(0), "arte");
    EXPECT_EQ(items->Add("Nelonen"), 2);
    EXPECT_EQ(items->Add("BBC World"), 1);
    TObject marker;
    EXPECT_EQ(items->AddObject("YLE", &marker), 4);
    EXPECT_EQ(items->Objects(4), &marker);

    for (int bad : {-1, 5}) {
        try {
            items->Get(bad);
            FAIL() << bad;
        } catch (const EStringListError& error) {
            EXPECT_EQ(error.Message, "List index out of bounds (" + std::to_string(bad) + ")");
        }
        EXPECT_THROW(items->GetObject(bad), EStringListError);
        EXPECT_THROW(List->Selected(bad), EStringListError);
        EXPECT_THROW(List->SetSelected(bad, true), EStringListError);
        EXPECT_THROW(items->Delete(bad), EStringListError);
    }
    EXPECT_EQ(items->Count(), 5);
}

TEST_F(KitListBoxTest, SelectionFromCodeAndPlaces)
{
    TStrings* items = List->Items();
    for (const char* name : {"a", "b", "c"})
        items->Add(name);
    int clicks = 0;
    List->OnClick = [&](TObject*) { ++clicks; };
    List->SetItemIndex(1);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(List->SelCount(), -1);
    List->SetSelected(1, false);
    EXPECT_EQ(List->ItemIndex(), -1);
    List->SetMultiSelect(true);
    List->SetSelected(0, true);
    List->SetSelected(2, true);
    EXPECT_EQ(List->SelCount(), 2);
    EXPECT_EQ(clicks, 0);

    Form->Show();
    TRect last = List->ItemRect(2);
    TRect next = List->ItemRect(3);
    EXPECT_EQ(next.Top, last.Bottom);
    EXPECT_EQ(List->ItemRect(4), TRect());
    EXPECT_EQ(List->ItemAtPos(Point(last.Left + 2, last.Top + 1), true), 2);
    EXPECT_EQ(List->ItemAtPos(Point(2, next.Bottom + 2), true), -1);
    EXPECT_EQ(List->ItemAtPos(Point(2, next.Bottom + 2), false), 3);
    EXPECT_EQ(List->ItemAtPos(Point(-5, 2), false), -1);

    ClickMouse(List->Widget()->findChild<QWidget*>("qt_scrollarea_viewport"), Qt::LeftButton,
               QPoint(last.Left + 2, last.Top + 1));
    EXPECT_EQ(clicks, 1);
}

TEST_F(KitListBoxTest, OwnerDrawnRowsMeasureAndDrawThemselves)
{
    TKitCustomListBox list(Form);
    list.SetParent(Form);
    list.SetBounds(140, 10, 150, 170);
    for (const char* name : {"a", "b", "c"})
        list.Items()->Add(name);
    std::vector<int> drawn;
    list.SetOnDrawItem([&](TWinControl*, int index, TRect, TOwnerDrawState) { drawn.push_back(index); });
    list.OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + 10 * index; };
    Form->Show();

    // The standard style draws its own text and leaves OnDrawItem alone.
    list.Widget()->grab();
    EXPECT_TRUE(drawn.empty());

    list.SetStyle(TKitListBoxStyle::lbOwnerDrawVariable);
    list.Widget()->grab();
    EXPECT_FALSE(drawn.empty());
    EXPECT_EQ(list.ItemRect(0).Height(), 10);
    EXPECT_EQ(list.ItemRect(2).Height(), 30);
    EXPECT_EQ(list.ItemRect(2).Top, list.ItemRect(1).Bottom);

    list.SetStyle(TKitListBoxStyle::lbOwnerDrawFixed);
    list.SetItemHeight(0);
    list.SetItemHeight(22);
    EXPECT_EQ(list.ItemRect(1).Height(), 22);
}

TEST_F(KitListBoxTest, UnfocusedSelectionIsGreyWhenAsked)
{
    for (const char* name : {"a", "b"})
        List->Items()->Add(name);
    List->SetItemIndex(0);
    Form->Show();
    ASSERT_FALSE(List->Focused());
    TRect row = List->ItemRect(0);
    auto rowColour = [&] {
        return static_cast<QListWidget*>(List->Widget())->viewport()->grab().toImage().pixel(row.Right - 3, row.Top + 2);
    };
    EXPECT_EQ(rowColour(), ToQColor(clHighlight).rgb());
    List->SetGraySelection(true);
    EXPECT_EQ(rowColour(), ToQColor(clBtnFace).rgb());
}

TEST_F(KitListBoxTest, ColumnsSpreadTheItemsSideBySide)
{
    TKitCustomListBox list(Form);
    list.SetParent(Form);
    list.SetBounds(140, 10, 150, 170);
    list.SetAutoScroll(true);
    for (int i = 0; i < 30; ++i)
        list.Items()->Add("Kanava " + std::to_string(i));
    Form->Show();
    EXPECT_EQ(list.ItemRect(29).Left, 0);
    // Columns are a list of their own kind: no automatic range.
    list.SetColumns(2);
    EXPECT_FALSE(list.AutoScroll());
    Flush();
    EXPECT_EQ(list.ItemRect(0).Width(), (150 + 2 - 3) / 2);
    EXPECT_GT(list.ItemRect(29).Left, 0);
}
