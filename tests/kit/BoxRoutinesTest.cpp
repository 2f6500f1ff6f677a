#include <gtest/gtest.h>
#include "forms/FormsFixture.h"
#include "kit/BoxRoutines.h"
#include "kit/TextListBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"

namespace {

// The routines serve both the platform's list box and the kit's: each case runs on both.
class BoxRoutinesTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 300);
        Plain = new TListBox(Form);
        Kit = new TTextListBox(Form);
        int left = 10;
        for (TWinControl* list : Lists()) {
            list->SetParent(Form);
            list->SetBounds(left, 10, 120, 200);
            left += 140;
            for (const char* item : {"TV1", "TV2", "MTV3"})
                BoxItems(list)->Add(item);
        }
        Form->Show();
        Flush();
    }
    void TearDown() override
    {
        delete Form;
        FormsTest::TearDown();
    }
    std::vector<TWinControl*> Lists() const { return {Plain, Kit}; }
    static std::vector<AnsiString> Items(TWinControl* list)
    {
        std::vector<AnsiString> items;
        for (int i = 0; i < BoxItems(list)->Count(); ++i)
            items.push_back(BoxItems(list)->Strings(i));
        return items;
    }

    TForm* Form = nullptr;
    TListBox* Plain = nullptr;
    TTextListBox* Kit = nullptr;
};

TEST_F(BoxRoutinesTest, APointBelowTheItemsIsTheEndOnlyInsideTheBox)
{
    for (TWinControl* list : Lists()) {
        SCOPED_TRACE(list == Plain ? "platform list box" : "kit list box");
        TRect last = BoxItemRect(list, 2);
        ASSERT_GT(last.Bottom, 0);
        EXPECT_EQ(BoxItemAtPos(list, Point(2, last.Bottom - 1), true), 2);
        EXPECT_EQ(BoxItemAtPos(list, Point(2, last.Bottom + 1), true), -1);
        EXPECT_EQ(BoxItemAtPos(list, Point(2, last.Bottom + 1), false), 3);
        // Outside the box there is no item and no end of the list either.
        EXPECT_EQ(BoxItemAtPos(list, Point(-1, last.Bottom + 1), false), -1);
        EXPECT_EQ(BoxItemAtPos(list, Point(2, -1), false), -1);
        EXPECT_EQ(BoxItemAtPos(list, Point(2, list->ClientHeight()), false), -1);
        EXPECT_EQ(BoxItemAtPos(list, Point(list->ClientWidth() + 40, 2), false), -1);
    }
}

TEST_F(BoxRoutinesTest, TheFocusedItemMovesToAnyRowButNotPastTheEnds)
{
    for (TWinControl* list : Lists()) {
        SCOPED_TRACE(list == Plain ? "platform list box" : "kit list box");
        BoxSetItemIndex(list, 0);
        BoxMoveFocusedItem(list, 3);
        BoxMoveFocusedItem(list, -1);
        EXPECT_EQ(Items(list), (std::vector<AnsiString>{"TV1", "TV2", "MTV3"}));
        BoxMoveFocusedItem(list, 2);
        EXPECT_EQ(Items(list), (std::vector<AnsiString>{"TV2", "MTV3", "TV1"}));
        EXPECT_EQ(BoxGetItemIndex(list), 2);
        BoxMoveFocusedItem(list, 0);
        EXPECT_EQ(Items(list), (std::vector<AnsiString>{"TV1", "TV2", "MTV3"}));
        EXPECT_EQ(BoxGetItemIndex(list), 0);
    }
}

TEST_F(BoxRoutinesTest, ADropNeedsAnotherItemUnderThePointer)
{
    for (TWinControl* list : Lists()) {
        SCOPED_TRACE(list == Plain ? "platform list box" : "kit list box");
        int drop = 99;
        TRect second = BoxItemRect(list, 1);
        EXPECT_FALSE(BoxCanDropItem(list, 2, second.Top + 1, drop)) << "nothing focused";
        BoxSetItemIndex(list, 0);
        EXPECT_TRUE(BoxCanDropItem(list, 2, second.Top + 1, drop));
        EXPECT_EQ(drop, 1);
        EXPECT_FALSE(BoxCanDropItem(list, 2, 1, drop)) << "onto itself";
        EXPECT_FALSE(BoxCanDropItem(list, 2, BoxItemRect(list, 2).Bottom + 1, drop)) << "below the items";
        EXPECT_EQ(drop, -1);
    }
}

} // namespace
