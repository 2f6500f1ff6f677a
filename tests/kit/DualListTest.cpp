#include <gtest/gtest.h>
#include <QListWidget>
#include <QToolTip>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "kit/DualList.h"
#include "kit/DualListForm.h"
#include "kit/TextListBox.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"
#include "platform/forms/PaletteColors.h"

namespace {

using Names = std::vector<AnsiString>;

Names NamesOf(TStrings& items)
{
    Names names;
    for (int i = 0; i < items.Count(); ++i)
        names.push_back(items.Get(i));
    return names;
}

void Fill(TStrings& list, const Names& names)
{
    list.Clear();
    for (const AnsiString& name : names)
        list.Add(name);
}

TDualListForm* FormOf(ModalBox& box)
{
    auto* form = dynamic_cast<TDualListForm*>(box.Form());
    EXPECT_NE(form, nullptr);
    return form;
}

QWidget* Viewport(TTextListBox* list)
{
    return static_cast<QListWidget*>(list->Widget())->viewport();
}

QPoint CentreOf(TTextListBox* list, int index)
{
    TRect rect = list->ItemRect(index);
    return QPoint(rect.Left + 10, (rect.Top + rect.Bottom) / 2);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QPoint local = widget->mapFromGlobal(global);
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(global), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Presses on `from` in the source list, moves in steps to `to` (screen coordinates) and
// releases there.
void DragItem(TTextListBox* source, QPoint from, QPoint to)
{
    QWidget* viewport = Viewport(source);
    SendMouse(viewport, QEvent::MouseButtonPress, from);
    SendMouse(viewport, QEvent::MouseMove, from + QPoint(0, 8));
    SendMouse(viewport, QEvent::MouseMove, to);
    SendMouse(viewport, QEvent::MouseButtonRelease, to);
}

class DualListTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Dialog.SetShowHelp(false);
        Dialog.SetCancelBtnCaption("Peruuta");
        Dialog.SetLabel1Caption("&Valitut");
        Dialog.SetLabel2Caption("&Valittavat");
        Fill(*Dialog.List1(), {"TV1", "TV2", "MTV3", "Nelonen", "SubTV"});
        Fill(*Dialog.List2(), {"Yle Teema"});
    }
    TDualListDialog Dialog{nullptr};
};

} // namespace

TEST_F(DualListTest, MovesBothWaysAndReturnsTheChosenOrder)
{
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        EXPECT_EQ(box.Buttons(), (Names{">", ">>", "<", "<<", "OK", "Peruuta", "&Help"}));
        EXPECT_EQ(form->ClientWidth(), 392);
        EXPECT_EQ(form->SrcLabel->Caption(), "&Valitut");
        EXPECT_EQ(form->DstLabel->Caption(), "&Valittavat");
        EXPECT_FALSE(form->IncBtn->Enabled());
        form->SrcList->SetSelected(1, true);
        form->SrcList->SetSelected(3, true);
        form->ListClick(form->SrcList);
        ASSERT_TRUE(form->IncBtn->Enabled());
        ASSERT_TRUE(box.Press(">"));
        QApplication::processEvents();
        EXPECT_EQ(NamesOf(*form->SrcList->Items()), (Names{"TV1", "MTV3", "SubTV"}));
        EXPECT_EQ(NamesOf(*form->DstList->Items()), (Names{"Yle Teema", "TV2", "Nelonen"}));
        // The item that moved up into the first moved item's place is selected, in the focus.
        EXPECT_TRUE(form->SrcList->Selected(1));
        EXPECT_EQ(form->SrcList->SelCount(), 1);
        EXPECT_TRUE(form->SrcList->Focused());

        // Back the other way by double click on an item of the right list.
        QWidget* view = Viewport(form->DstList);
        QPoint at = CentreOf(form->DstList, 0);
        ClickMouse(view, Qt::LeftButton, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), QPointF(view->mapToGlobal(at)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &twice);
        EXPECT_EQ(NamesOf(*form->DstList->Items()), (Names{"TV2", "Nelonen"}));
        EXPECT_EQ(NamesOf(*form->SrcList->Items()), (Names{"TV1", "MTV3", "SubTV", "Yle Teema"}));
        EXPECT_TRUE(box.Press("OK"));
    });
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(NamesOf(*Dialog.List1()), (Names{"TV1", "MTV3", "SubTV", "Yle Teema"}));
    EXPECT_EQ(NamesOf(*Dialog.List2()), (Names{"TV2", "Nelonen"}));
}

TEST_F(DualListTest, CancelAndCloseLeaveTheListsAsTheyWere)
{
    Answers.push_back([](ModalBox& box) {
        FormOf(box)->IncAllBtnClick(nullptr);
        box.Press("Peruuta");
    });
    EXPECT_FALSE(Dialog.Execute());
    Answers.push_back([](ModalBox& box) {
        FormOf(box)->IncAllBtnClick(nullptr);
        box.Form()->Widget()->close();
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(NamesOf(*Dialog.List1()), (Names{"TV1", "TV2", "MTV3", "Nelonen", "SubTV"}));
    EXPECT_EQ(NamesOf(*Dialog.List2()), (Names{"Yle Teema"}));
}

TEST_F(DualListTest, AllButtonsEmptyAListAndFollowWhatIsLeft)
{
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        EXPECT_TRUE(form->IncAllBtn->Enabled());
        form->IncAllBtnClick(nullptr);
        EXPECT_EQ(form->SrcList->Items()->Count(), 0);
        EXPECT_EQ(form->SrcList->SelCount(), 0);
        EXPECT_FALSE(form->IncBtn->Enabled());
        EXPECT_FALSE(form->IncAllBtn->Enabled());
        EXPECT_TRUE(form->ExclAllBtn->Enabled());
        EXPECT_FALSE(form->ExclBtn->Enabled());
        EXPECT_EQ(NamesOf(*form->DstList->Items()), (Names{"Yle Teema", "TV1", "TV2", "MTV3", "Nelonen", "SubTV"}));
        // ">" with nothing selected changes nothing.
        form->IncBtnClick(nullptr);
        EXPECT_EQ(form->DstList->Items()->Count(), 6);
        box.Press("OK");
    });
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.List1()->Count(), 0);
    EXPECT_EQ(Dialog.List2()->Count(), 6);
}

TEST_F(DualListTest, TabVisitsTheListsAndButtonsInTheirTabOrder)
{
    TDualListForm form(nullptr);
    const std::vector<TWinControl*> controls{form.SrcList,    form.IncBtn,  form.IncAllBtn,
                                             form.ExclBtn,    form.ExclAllBtn, form.DstList,
                                             form.OkBtn,      form.CancelBtn,  form.HelpBtn};
    for (int i = 0; i < static_cast<int>(controls.size()); ++i)
        EXPECT_EQ(controls[i]->TabOrder(), i) << "control " << i << " of the walk";

    form.SrcList->Items()->Add("TV1");
    form.DstList->Items()->Add("TV2");
    form.Show();
    Flush();
    form.Widget()->activateWindow();
    form.SrcList->SetFocus();
    Flush();
    // Nothing is chosen in either list: Tab passes the disabled single-item arrows by.
    const std::vector<TWinControl*> expected{form.IncAllBtn, form.ExclAllBtn, form.DstList, form.OkBtn,
                                             form.CancelBtn, form.HelpBtn,     form.SrcList};
    std::vector<TWinControl*> walked;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        PressKey(QApplication::focusWidget(), Qt::Key_Tab);
        Flush();
        for (TWinControl* control : controls)
            if (control->Focused())
                walked.push_back(control);
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(DualListTest, GivenListsAreCopiedWithTheirObjectsAndTheCaptionsShow)
{
    TObject channel;
    TStringList left;
    left.AddObject("Yle TV1", &channel);
    left.Add("MTV3");
    Dialog.SetList1(left);
    left.Clear();
    EXPECT_EQ(NamesOf(*Dialog.List1()), (Names{"Yle TV1", "MTV3"})) << "a copy, not the caller's list";
    EXPECT_EQ(Dialog.List1()->Objects(0), &channel);
    TStringList right;
    right.Add("Nelonen");
    Dialog.SetList2(right);
    Dialog.SetShowHelp(true);
    Dialog.SetHelpBtnCaption("&Ohje");
    Dialog.SetOkBtnCaption("&Hyv\xE4ksy");
    EXPECT_EQ(Dialog.HelpBtnCaption(), "&Ohje");
    EXPECT_EQ(Dialog.OkBtnCaption(), "&Hyv\xE4ksy");
    EXPECT_EQ(Dialog.CancelBtnCaption(), "Peruuta");
    EXPECT_EQ(Dialog.Label1Caption(), "&Valitut");
    EXPECT_EQ(Dialog.Label2Caption(), "&Valittavat");
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        EXPECT_EQ(box.Buttons(), (Names{">", ">>", "<", "<<", "&Hyv\xE4ksy", "Peruuta", "&Ohje"}));
        EXPECT_EQ(NamesOf(*form->SrcList->Items()), (Names{"Yle TV1", "MTV3"}));
        EXPECT_EQ(NamesOf(*form->DstList->Items()), (Names{"Nelonen"}));
        box.Press("&Hyv\xE4ksy");
    });
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.List1()->Objects(0), &channel) << "the object comes back with its item";
}

TEST_F(DualListTest, HiddenHelpLinesTheButtonsUpFromTheRight)
{
    Dialog.SetSorted(true);
    Dialog.SetOkBtnCaption("");
    Dialog.SetLabel1Caption("");
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        EXPECT_FALSE(form->HelpBtn->Visible());
        EXPECT_FALSE(form->HelpBtn->Enabled());
        EXPECT_EQ(form->CancelBtn->Left(), form->Width() - form->CancelBtn->Width() - 16);
        EXPECT_EQ(form->OkBtn->Left(), form->CancelBtn->Left() - form->OkBtn->Width() - 8);
        EXPECT_EQ(form->OkBtn->Caption(), "");
        EXPECT_EQ(form->SrcLabel->Caption(), "");
        // A sorted dialog sorts what its lists receive.
        EXPECT_EQ(NamesOf(*form->SrcList->Items()), (Names{"MTV3", "Nelonen", "SubTV", "TV1", "TV2"}));
        box.Press("Peruuta");
    });
    EXPECT_FALSE(Dialog.Execute());
}

TEST_F(DualListTest, CtrlArrowsReorderAnUnsortedListOnly)
{
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        TTextListBox* list = form->SrcList;
        QWidget* widget = list->Widget();
        list->SetFocus();
        list->SetSelected(1, true);
        list->SetItemIndex(1);
        PressKey(widget, Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(NamesOf(*list->Items()), (Names{"TV1", "MTV3", "TV2", "Nelonen", "SubTV"}));
        // The key was taken: the moved item is still the current one.
        EXPECT_EQ(list->ItemIndex(), 2);
        PressKey(widget, Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(NamesOf(*list->Items()), (Names{"TV1", "MTV3", "Nelonen", "TV2", "SubTV"}));
        list->SetItemIndex(4);
        PressKey(widget, Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(list->ItemIndex(), 4);
        list->SetItemIndex(0);
        PressKey(widget, Qt::Key_Up, Qt::ControlModifier);
        EXPECT_EQ(list->ItemIndex(), 0);
        EXPECT_EQ(NamesOf(*list->Items()), (Names{"TV1", "MTV3", "Nelonen", "TV2", "SubTV"}));

        // A sorted list takes Ctrl+arrows as plain arrows.
        list->SetSorted(true);
        Names sorted = NamesOf(*list->Items());
        list->SetItemIndex(1);
        PressKey(widget, Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(NamesOf(*list->Items()), sorted);
        EXPECT_EQ(list->ItemIndex(), 2);
        box.Press("OK");
    });
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.List1()->Count(), 5);
}

TEST_F(DualListTest, TheEmptyPartOfAListMovesNothing)
{
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        TTextListBox* src = form->SrcList;
        QWidget* srcView = Viewport(src);
        const Names before = NamesOf(*src->Items());
        const QPoint below(10, src->ItemRect(4).Bottom + 4);

        // A double click below the last item, with nothing chosen, moves nothing across.
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(below), QPointF(srcView->mapToGlobal(below)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(srcView, &twice);
        EXPECT_EQ(NamesOf(*src->Items()), before);
        EXPECT_EQ(NamesOf(*form->DstList->Items()), (Names{"Yle Teema"}));

        // An item dropped below the last one, inside its own list, stays where it was.
        src->SetSelected(1, true);
        src->SetItemIndex(1);
        DragItem(src, srcView->mapToGlobal(CentreOf(src, 1)), srcView->mapToGlobal(below));
        EXPECT_EQ(NamesOf(*src->Items()), before);
        for (int i = 0; i < 5; ++i)
            EXPECT_FALSE(src->DropMarkerShown(i)) << i;
        EXPECT_TRUE(box.Press("Peruuta"));
    });
    EXPECT_FALSE(Dialog.Execute());
}

TEST_F(DualListTest, DraggingMovesBetweenAndWithinTheLists)
{
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        TTextListBox* src = form->SrcList;
        TTextListBox* dst = form->DstList;
        QWidget* srcView = Viewport(src);

        // Inside one list: one selected item goes where it is dropped, with the marker gone.
        src->SetSelected(0, true);
        src->SetItemIndex(0);
        QPoint first = srcView->mapToGlobal(CentreOf(src, 0));
        SendMouse(srcView, QEvent::MouseButtonPress, first);
        SendMouse(srcView, QEvent::MouseMove, first + QPoint(0, 8));
        SendMouse(srcView, QEvent::MouseMove, srcView->mapToGlobal(CentreOf(src, 2)));
        EXPECT_TRUE(src->DropMarkerShown(2));
        EXPECT_EQ(src->Tag, 3);
        EXPECT_EQ(DragCursorShown(), crDrag);
        // Leaving the list takes the marker away.
        SendMouse(srcView, QEvent::MouseMove, Viewport(dst)->mapToGlobal(QPoint(20, 60)));
        EXPECT_FALSE(src->DropMarkerShown(2));
        EXPECT_EQ(src->Tag, 0);
        SendMouse(srcView, QEvent::MouseMove, srcView->mapToGlobal(CentreOf(src, 3)));
        EXPECT_TRUE(src->DropMarkerShown(3));
        SendMouse(srcView, QEvent::MouseButtonRelease, srcView->mapToGlobal(CentreOf(src, 3)));
        EXPECT_EQ(NamesOf(*src->Items()), (Names{"TV2", "MTV3", "Nelonen", "TV1", "SubTV"}));
        EXPECT_EQ(src->Tag, 0);
        for (int i = 0; i < 5; ++i)
            EXPECT_FALSE(src->DropMarkerShown(i)) << i;

        // With two selected, a drag inside the list is refused.
        for (int i = 0; i < 5; ++i)
            src->SetSelected(i, i == 1 || i == 2);
        src->SetItemIndex(1);
        Names before = NamesOf(*src->Items());
        DragItem(src, srcView->mapToGlobal(CentreOf(src, 1)), srcView->mapToGlobal(CentreOf(src, 4)));
        EXPECT_EQ(NamesOf(*src->Items()), before);
        EXPECT_EQ(src->SelCount(), 2);

        // Onto the other list: every selected item goes, with the multi-item cursor on the way.
        QPoint from = srcView->mapToGlobal(CentreOf(src, 1));
        QPoint over = Viewport(dst)->mapToGlobal(QPoint(20, 60));
        SendMouse(srcView, QEvent::MouseButtonPress, from);
        SendMouse(srcView, QEvent::MouseMove, from + QPoint(0, 8));
        SendMouse(srcView, QEvent::MouseMove, over);
        EXPECT_EQ(DragCursorShown(), crMultiDrag);
        SendMouse(srcView, QEvent::MouseButtonRelease, over);
        EXPECT_EQ(DragCursorShown(), crDefault);
        EXPECT_EQ(NamesOf(*src->Items()), (Names{"TV2", "TV1", "SubTV"}));
        EXPECT_EQ(NamesOf(*dst->Items()), (Names{"Yle Teema", "MTV3", "Nelonen"}));

        // A sorted list refuses a drag inside itself.
        src->SetSorted(true);
        for (int i = 0; i < 3; ++i)
            src->SetSelected(i, i == 0);
        src->SetItemIndex(0);
        before = NamesOf(*src->Items());
        DragItem(src, srcView->mapToGlobal(CentreOf(src, 0)), srcView->mapToGlobal(CentreOf(src, 2)));
        EXPECT_EQ(NamesOf(*src->Items()), before);
        box.Press("OK");
    });
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(NamesOf(*Dialog.List2()), (Names{"Yle Teema", "MTV3", "Nelonen"}));
}

TEST_F(DualListTest, TheWindowTakesTheBorderLookHelpContextAndShowsTheListsHints)
{
    Dialog.SetCtl3D(false);
    Dialog.SetHelpContext(42);
    Answers.push_back([](ModalBox& box) {
        TDualListForm* form = FormOf(box);
        EXPECT_FALSE(form->SrcList->Ctl3D());
        QImage image = form->DstList->Widget()->grab().toImage();
        EXPECT_EQ(image.pixelColor(0, image.height() / 2), ToQColor(clWindowFrame)) << "a flat line for a border";
        EXPECT_EQ(form->HelpContext(), 42);
        EXPECT_EQ(form->HelpBtn->HelpContext(), 42);
        form->SrcList->SetHint("Valitut kanavat");
        EXPECT_EQ(HintShownOver(Viewport(form->SrcList)), "Valitut kanavat") << "the lists show hints";
        QToolTip::hideText();
        box.Press("Peruuta");
    });
    EXPECT_FALSE(Dialog.Execute());
}
