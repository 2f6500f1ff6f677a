#include <QHeaderView>
#include <QTreeView>
#include "FormsFixture.h"
#include "Input.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Form.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/ListView.h"

namespace {

class ListViewTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form.SetBounds(0, 0, 600, 300);
        View = new TListView(&Form);
        View->SetParent(&Form);
        View->SetAlign(alClient);
        View->SetMultiSelect(true);
        struct Col {
            const char* caption;
            int width, min, max;
            bool autoSize;
        };
        for (const Col& c : {Col{"Päivä", 95, 50, 0, false}, Col{"Kanava", 90, 80, 0, false}, Col{"Aika", 45, 40, 0, false},
                             Col{"Ohjelma", 50, 50, 0, true}, Col{"Esittämiseen", 125, 125, 125, false},
                             Col{"Ohjelmaninfo", 0, 0, 0, false}}) {
            TListColumn* column = View->Columns()->Add();
            column->SetCaption(cp1252::FromUtf8(c.caption));
            column->SetWidth(c.width);
            column->SetMinWidth(c.min);
            column->SetMaxWidth(c.max);
            column->SetAutoSize(c.autoSize);
        }
        Form.Show();
        Flush();
    }
    TListItem* AddRow(const AnsiString& caption, const AnsiString& channel)
    {
        TListItem* item = View->Items()->Add();
        item->SetCaption(caption);
        item->SubItems()->Add(channel);
        return item;
    }
    std::vector<AnsiString> Captions()
    {
        std::vector<AnsiString> captions;
        for (int i = 0; i < View->Items()->Count(); ++i)
            captions.push_back(View->Items()->Item(i)->Caption() + "/" + View->Items()->Item(i)->SubItems()->Get(0));
        return captions;
    }
    QTreeView* Tree() const { return static_cast<QTreeView*>(View->Widget()); }

    TForm Form{nullptr};
    TListView* View = nullptr;
};

} // namespace

TEST_F(ListViewTest, SortsWithTheProgramsComparisonKeepingEqualRowsAndSelection)
{
    bool allEqual = true;
    View->OnCompare = [&](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        compare = allEqual ? 0 : CompareText(a->SubItems()->Get(0), b->SubItems()->Get(0));
    };
    View->SetSortType(stBoth);
    AddRow("3.1.2026", "TV2");
    AddRow("1.1.2026", "MTV3");
    AddRow("2.1.2026", "TV1");
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"3.1.2026/TV2", "1.1.2026/MTV3", "2.1.2026/TV1"}));

    View->Items()->Item(2)->SetSelected(true);
    allEqual = false;
    View->AlphaSort();
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"1.1.2026/MTV3", "2.1.2026/TV1", "3.1.2026/TV2"}));
    ASSERT_NE(View->Selected(), nullptr);
    EXPECT_EQ(View->Selected()->Caption(), "2.1.2026");
    EXPECT_EQ(View->SelCount(), 1);

    // Without a comparison the captions decide, as soon as one is set.
    View->OnCompare = nullptr;
    View->Items()->Item(0)->SetCaption("9.1.2026");
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"2.1.2026/TV1", "3.1.2026/TV2", "9.1.2026/MTV3"}));

    // A comparison that contradicts itself cannot break the sort.
    int calls = 0;
    View->OnCompare = [&](TObject*, TListItem*, TListItem*, int, int& compare) { compare = (++calls % 3) - 1; };
    for (int i = 0; i < 50; ++i)
        AddRow(IntToStr(i), "X");
    View->AlphaSort();
    EXPECT_EQ(View->Items()->Count(), 53);
}

TEST_F(ListViewTest, CaptionsSetWithinAnUpdateSortOnceWhenItEnds)
{
    int compared = 0;
    View->OnCompare = [&](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        ++compared;
        compare = CompareText(a->Caption(), b->Caption());
    };
    View->SetSortType(stBoth);
    View->Items()->BeginUpdate();
    for (int i = 0; i < 300; ++i)
        AddRow(AnsiString(299 - i < 100 ? "0" : "") + (299 - i < 10 ? "0" : "") + IntToStr(299 - i), "X");
    EXPECT_EQ(compared, 0);
    View->Items()->EndUpdate();
    EXPECT_EQ(View->Items()->Item(0)->Caption(), "000");
    EXPECT_EQ(View->Items()->Item(299)->Caption(), "299");
    // Sorted, a caption set again costs one pass; the rows stay where they are.
    compared = 0;
    TListItem* last = View->Items()->Item(299);
    last->SetCaption("999");
    EXPECT_EQ(compared, 299);
    EXPECT_EQ(View->Items()->IndexOf(last), 299);
}

TEST_F(ListViewTest, ColumnsKeepTheirLimitsAndTheAutoSizeColumnTakesTheRest)
{
    QHeaderView* header = Tree()->header();
    EXPECT_EQ(View->Columns()->Items(0)->Width(), 95);
    EXPECT_EQ(View->Columns()->Items(5)->Width(), 0);
    View->Columns()->Items(1)->SetWidth(10);
    EXPECT_EQ(View->Columns()->Items(1)->Width(), 80);
    header->resizeSection(4, 300); // a drag on the fixed column
    EXPECT_EQ(View->Columns()->Items(4)->Width(), 125);
    int others = 95 + 80 + 45 + 125;
    EXPECT_EQ(View->Columns()->Items(3)->Width(), Tree()->viewport()->width() - others);
    EXPECT_EQ(header->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Päivä"));
}

TEST_F(ListViewTest, ClicksOnRowsAndColumnsReachTheProgram)
{
    AddRow("1.1.2026", "TV1");
    AddRow("2.1.2026", "TV2");
    int clicks = 0;
    TListColumn* clicked = nullptr;
    View->OnClick = [&](TObject*) { ++clicks; };
    View->OnColumnClick = [&](TObject*, TListColumn* column) { clicked = column; };
    QRect row = Tree()->visualRect(Tree()->model()->index(1, 0));
    ClickMouse(Tree()->viewport(), Qt::LeftButton, row.center());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(View->Items()->Item(1)->Selected());
    emit Tree()->header()->sectionClicked(2);
    ASSERT_NE(clicked, nullptr);
    EXPECT_EQ(clicked->Index(), 2);

    View->Items()->Delete(1);
    EXPECT_EQ(View->Selected(), nullptr);
    View->Items()->Clear();
    EXPECT_EQ(View->Items()->Count(), 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ListViewTest, DataSortsADataSortedListAndFocusMovesWithoutSelecting)
{
    int keys[] = {30, 10, 20};
    View->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        auto key = [](TListItem* item) { return item->Data() ? *static_cast<int*>(item->Data()) : 0; };
        compare = key(a) - key(b);
    };
    View->SetSortType(stData);
    std::vector<TListItem*> rows;
    for (int key : keys)
        rows.push_back(AddRow(IntToStr(key), "X"));
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"30/X", "10/X", "20/X"})) << "captions do not sort by data";
    for (int i = 0; i < 3; ++i)
        rows[i]->SetData(&keys[i]);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"10/X", "20/X", "30/X"}));

    TListItem* second = View->Items()->Item(1);
    second->SetFocused(true);
    EXPECT_EQ(View->ItemFocused(), second);
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(View->SelCount(), 0) << "focusing selects nothing";
    second->SetFocused(false);
    EXPECT_EQ(View->ItemFocused(), nullptr);
}

TEST_F(ListViewTest, SmallImagesShowBesideTheFirstColumn)
{
    TListItem* item = AddRow("1.1.2026", "TV1");
    item->SetImageIndex(0);
    TImageList images(&Form);
    images.SetSize(16, 16);
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(qRgb(200, 0, 0));
    TBitmap bitmap;
    bitmap.Assign(picture);
    images.Add(bitmap);
    auto redShown = [&] {
        QImage shown = Tree()->viewport()->grab().toImage();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) == qRgb(200, 0, 0))
                    return true;
        return false;
    };
    EXPECT_FALSE(redShown());
    View->SetSmallImages(&images);
    EXPECT_EQ(View->SmallImages(), &images);
    EXPECT_TRUE(redShown());
    View->SetSmallImages(nullptr);
    EXPECT_FALSE(redShown());
}
