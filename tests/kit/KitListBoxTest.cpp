#include <gtest/gtest.h>
#include <QListWidget>
#include <QScrollBar>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <string>
#include <vector>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "kit/TextListBox.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Form.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/Panel.h"
#include "platform/forms/PopupMenu.h"

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

void ClickWith(QWidget* view, QPoint pos, Qt::KeyboardModifiers modifiers)
{
    QPointF global = view->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(view, &press);
    QApplication::sendEvent(view, &release);
}

QWidget* ViewOf(TKitCustomListBox& list)
{
    return static_cast<QListWidget*>(list.Widget())->viewport();
}

std::vector<int> SelectedOf(TKitCustomListBox& list)
{
    std::vector<int> selected;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Selected(i))
            selected.push_back(i);
    return selected;
}

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
    EXPECT_FALSE(List->GraySelection());
    List->SetGraySelection(true);
    EXPECT_TRUE(List->GraySelection());
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

TEST_F(KitListBoxTest, HorizontalBarOnlyWhenTheWidestItemDoesNotFit)
{
    Form->Show();
    QListWidget* view = static_cast<QListWidget*>(List->Widget());
    // Enough short items to need the vertical bar.
    for (int i = 0; i < 30; ++i)
        List->Items()->Add("TV" + std::to_string(i));
    Flush();
    ASSERT_TRUE(view->verticalScrollBar()->isVisible());
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());

    List->Items()->Add("Discovery Channel Scandinavia and more");
    Flush();
    EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), List->HorizontalExtent() - view->viewport()->width());
    List->Items()->Delete(30);
    Flush();
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
}

TEST_F(KitListBoxTest, SingleSelectionIsTakenAwayFromCode)
{
    for (const char* name : {"a", "b", "c"})
        List->Items()->Add(name);
    List->SetSelected(2, true);
    // Deselecting another item leaves the selection alone.
    List->SetSelected(0, false);
    EXPECT_EQ(SelectedOf(*List), std::vector<int>{2});
    List->SetSelected(2, false);
    EXPECT_TRUE(SelectedOf(*List).empty());
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(KitListBoxTest, IntegralHeightShowsWholeRowsOnly)
{
    List->Items()->Add("a");
    int row = List->ItemRect(0).Height();
    ASSERT_GT(row, 0);
    List->SetBounds(10, 10, 120, 5 * row + row / 2);
    EXPECT_EQ(List->Height(), 5 * row + row / 2) << "the height is kept without IntegralHeight";

    List->SetIntegralHeight(true);
    EXPECT_LT(List->Height(), 5 * row + row / 2);
    Form->Show();
    Flush();
    EXPECT_EQ(ViewOf(*List)->height() % row, 0);
    int frame = List->Height() - ViewOf(*List)->height();
    List->SetBounds(10, 10, 120, 8 * row + frame + row / 2);
    Flush();
    EXPECT_EQ(ViewOf(*List)->height(), 8 * row);
    // Never less than one row.
    List->SetBounds(10, 10, 120, 2);
    Flush();
    EXPECT_EQ(ViewOf(*List)->height(), row);
}

TEST_F(KitListBoxTest, ExtendedSelectDecidesWhatAClickDoes)
{
    for (const char* name : {"a", "b", "c", "d"})
        List->Items()->Add(name);
    List->SetMultiSelect(true);
    Form->Show();
    auto rowPoint = [&](int index) {
        TRect rect = List->ItemRect(index);
        return QPoint(rect.Left + 3, rect.Top + 2);
    };
    // Extended, as a new list is: a plain click selects one item, Ctrl adds, Shift takes a range.
    EXPECT_TRUE(List->ExtendedSelect());
    ClickWith(ViewOf(*List), rowPoint(0), Qt::NoModifier);
    ClickWith(ViewOf(*List), rowPoint(2), Qt::NoModifier);
    EXPECT_EQ(SelectedOf(*List), std::vector<int>{2});
    ClickWith(ViewOf(*List), rowPoint(0), Qt::ControlModifier);
    EXPECT_EQ(SelectedOf(*List), (std::vector<int>{0, 2}));
    ClickWith(ViewOf(*List), rowPoint(3), Qt::ShiftModifier);
    EXPECT_EQ(SelectedOf(*List), (std::vector<int>{0, 1, 2, 3}));

    // Not extended: every click toggles its item and leaves the others.
    List->SetExtendedSelect(false);
    EXPECT_FALSE(List->ExtendedSelect());
    for (int i = 0; i < List->Count(); ++i)
        List->SetSelected(i, false);
    ClickWith(ViewOf(*List), rowPoint(1), Qt::NoModifier);
    ClickWith(ViewOf(*List), rowPoint(3), Qt::NoModifier);
    EXPECT_EQ(SelectedOf(*List), (std::vector<int>{1, 3}));
    ClickWith(ViewOf(*List), rowPoint(1), Qt::NoModifier);
    EXPECT_EQ(SelectedOf(*List), std::vector<int>{3});
}

TEST_F(KitListBoxTest, TopIndexScrollsWithinTheList)
{
    for (int i = 0; i < 40; ++i)
        List->Items()->Add("Kanava " + std::to_string(i));
    Form->Show();
    Flush();
    EXPECT_EQ(List->TopIndex(), 0);
    List->SetTopIndex(10);
    EXPECT_EQ(List->TopIndex(), 10);
    EXPECT_EQ(List->ItemRect(10).Top, 0);
    EXPECT_EQ(List->ItemAtPos(Point(3, 1), true), 10);
    // Indexes outside the list change nothing.
    List->SetTopIndex(-1);
    List->SetTopIndex(40);
    EXPECT_EQ(List->TopIndex(), 10);
    // The last index scrolls only as far as the last page.
    int rows = ViewOf(*List)->height() / List->ItemRect(0).Height();
    List->SetTopIndex(39);
    EXPECT_EQ(List->TopIndex(), 40 - rows);
}

TEST_F(KitListBoxTest, ItemWidthEventSizesOwnerDrawnItems)
{
    TKitCustomListBox list(Form);
    list.SetAutoScroll(true);
    for (const char* name : {"a", "bb", "c"})
        list.Items()->Add(name);
    int textWidest = list.HorizontalExtent();
    ASSERT_EQ(textWidest, WidthOf(list, "bb"));
    EXPECT_FALSE(list.OnGetItemWidth());
    std::vector<int> asked;
    list.SetOnGetItemWidth([&](TWinControl* control, int index, int& width) {
        EXPECT_EQ(control, &list);
        EXPECT_EQ(width, 0);
        asked.push_back(index);
        width = 300 + 10 * index;
    });
    // The standard style keeps measuring text, and so does an owner-drawn list without OnDrawItem.
    EXPECT_EQ(list.HorizontalExtent(), textWidest);
    list.SetStyle(TKitListBoxStyle::lbOwnerDrawFixed);
    EXPECT_EQ(list.HorizontalExtent(), textWidest);
    EXPECT_TRUE(asked.empty());
    list.SetOnDrawItem([](TWinControl*, int, TRect, TOwnerDrawState) {});
    EXPECT_EQ(list.HorizontalExtent(), 320);
    list.Items()->Add("d");
    EXPECT_EQ(list.HorizontalExtent(), 330);
    // The handler read back is the one that measures.
    int width = 0;
    ASSERT_TRUE(list.OnGetItemWidth());
    list.OnGetItemWidth()(&list, 2, width);
    EXPECT_EQ(width, 320);
    list.SetOnGetItemWidth(nullptr);
    EXPECT_FALSE(list.OnGetItemWidth());
    EXPECT_EQ(list.HorizontalExtent(), WidthOf(list, "bb"));
}

TEST_F(KitListBoxTest, DragEventsTellWhereADragBeganAndEnded)
{
    TKitCustomListBox target(Form);
    target.SetParent(Form);
    target.SetBounds(140, 10, 150, 170);
    Form->Show();
    Flush();
    std::vector<TObject*> dropped;
    target.OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = true; };
    target.OnDragDrop = [&](TObject*, TObject* source, int, int) { dropped.push_back(source); };
    int starts = 0;
    struct End {
        TObject* Target;
        int X, Y;
    };
    std::vector<End> ends;
    List->OnStartDrag = [&](TObject* sender, TObject*&) {
        EXPECT_EQ(sender, List);
        ++starts;
    };
    List->OnEndDrag = [&](TObject* sender, TObject* to, int x, int y) {
        EXPECT_EQ(sender, List);
        ends.push_back({to, x, y});
    };
    auto global = [](TKitCustomListBox& list, int x, int y) {
        QPoint point = list.DragWidget()->mapToGlobal(QPoint(x, y));
        return Point(point.x(), point.y());
    };

    BeginDrag(List, global(*List, 5, 5), true);
    EXPECT_EQ(starts, 1);
    DragDropAt(global(target, 20, 30));
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].Target, &target);
    EXPECT_EQ(ends[0].X, 20);
    EXPECT_EQ(ends[0].Y, 30);
    EXPECT_EQ(dropped, std::vector<TObject*>{List});

    // A cancelled drag ends on no target.
    BeginDrag(List, global(*List, 5, 5), true);
    CancelDrag();
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[1].Target, nullptr);

    // What the start hands back stands for the source wherever the drag goes.
    TObject token;
    List->OnStartDrag = [&](TObject*, TObject*& dragObject) { dragObject = &token; };
    std::vector<TObject*> over;
    target.OnDragOver = [&](TObject*, TObject* source, int, int, TDragState, bool& accept) {
        over.push_back(source);
        accept = true;
    };
    BeginDrag(List, global(*List, 5, 5), true);
    DragDropAt(global(target, 20, 30));
    ASSERT_FALSE(over.empty());
    EXPECT_EQ(over.front(), &token);
    EXPECT_EQ(dropped.back(), &token);
}

TEST_F(KitListBoxTest, WheelAndContextEventsCanTakeOverFromTheList)
{
    for (int i = 0; i < 40; ++i)
        List->Items()->Add("Kanava " + std::to_string(i));
    Form->Show();
    Flush();
    std::vector<std::string> heard;
    bool handle = true;
    List->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
        heard.push_back("down");
        handled = handle;
    };
    List->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
        heard.push_back("up");
        handled = handle;
    };
    auto wheel = [&](int delta) {
        QPoint pos(10, 10);
        QWheelEvent event(pos, ViewOf(*List)->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(ViewOf(*List), &event);
    };
    wheel(-120);
    wheel(120);
    EXPECT_EQ(heard, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(List->TopIndex(), 0) << "a handled wheel does not scroll";
    handle = false;
    wheel(-120);
    EXPECT_GT(List->TopIndex(), 0);

    int popups = 0;
    TPopupMenu menu(Form);
    menu.OnPopup = [&](TObject*) { ++popups; };
    List->SetPopupMenu(&menu);
    bool handled = true;
    TPoint asked;
    List->OnContextPopup = [&](TObject*, TPoint pos, bool& taken) {
        asked = pos;
        taken = handled;
    };
    auto context = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(12, 14), ViewOf(*List)->mapToGlobal(QPoint(12, 14)));
        QApplication::sendEvent(ViewOf(*List), &event);
    };
    context();
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(asked.X, 12);
    EXPECT_EQ(asked.Y, 14);
    handled = false;
    context();
    EXPECT_EQ(popups, 1);
    Flush();
    menu.Items()->SubMenu()->hide();
}

TEST_F(KitListBoxTest, ADockDragMovesTheListIntoADockSite)
{
    auto* site = new TPanel(Form);
    site->SetParent(Form);
    site->SetBounds(140, 10, 150, 170);
    site->SetDockSite(true);
    auto* plain = new TPanel(Form);
    plain->SetParent(site);
    plain->SetBounds(5, 5, 10, 10);
    List->Items()->Add("TV1");
    List->DragMode = dmAutomatic;
    List->DragKind = dkDock;
    std::vector<std::string> heard;
    TObject* dockedTo = nullptr;
    List->OnStartDrag = [&](TObject*, TObject*&) { heard.push_back("start drag"); };
    List->OnEndDrag = [&](TObject*, TObject*, int, int) { heard.push_back("end drag"); };
    List->OnStartDock = [&](TObject* sender, TObject*&) {
        EXPECT_EQ(sender, List);
        heard.push_back("start dock");
    };
    List->OnEndDock = [&](TObject*, TObject* target, int x, int y) {
        heard.push_back("end dock " + std::to_string(x) + "," + std::to_string(y));
        dockedTo = target;
    };
    Form->Show();
    Flush();
    auto drag = [&](QWidget* to, QPoint at) {
        QWidget* view = ViewOf(*List);
        QPoint from(5, 5);
        QPoint global = to->mapToGlobal(at);
        auto send = [&](QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
            QMouseEvent event(type, QPointF(pos), QPointF(view->mapToGlobal(pos)), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, from + QPoint(0, 10), Qt::LeftButton);
        send(QEvent::MouseMove, view->mapFromGlobal(global), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, view->mapFromGlobal(global), Qt::NoButton);
    };

    drag(site->Widget(), QPoint(20, 30));
    EXPECT_EQ(heard, (std::vector<std::string>{"start dock", "end dock 20,30"})) << "no drag events in a dock drag";
    EXPECT_EQ(dockedTo, site);
    EXPECT_EQ(List->Parent(), site);
    EXPECT_EQ(List->Left(), 20);
    EXPECT_EQ(List->Top(), 30);

    // Over a control that is no dock site the site holding it takes the list.
    heard.clear();
    drag(plain->Widget(), QPoint(5, 5));
    EXPECT_EQ(dockedTo, site);
    EXPECT_EQ(List->Left(), 10);
    EXPECT_EQ(List->Top(), 10);

    // Released where no dock site is, the list stays where it was.
    heard.clear();
    drag(Form->Widget(), QPoint(20, 180));
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], "start dock");
    EXPECT_EQ(dockedTo, nullptr);
    EXPECT_EQ(List->Parent(), site);

    List->DragKind = dkDrag;
    heard.clear();
    drag(site->Widget(), QPoint(20, 30));
    EXPECT_EQ(heard, (std::vector<std::string>{"start drag", "end drag"})) << "an ordinary drag again";
}
