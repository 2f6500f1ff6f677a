#include <QAbstractButton>
#include <QTabBar>
#include <QTabWidget>
#include <QCheckBox>
#include <QCursor>
#include <QGuiApplication>
#include <QTextEdit>
#include <QToolButton>
#include "FormsFixture.h"
#include "Input.h"
#include "WeekTabs.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/PageScroller.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"

TEST_F(FormsTest, RichEditStylesExactlyTheSelectedLine)
{
    TForm form(nullptr);
    auto* edit = new TRichEdit(&form);
    edit->SetParent(&form);
    edit->SetReadOnly(true);
    edit->Lines()->Add("18:00 Uutiset");
    edit->SetSelStart(edit->LineStart(0));
    edit->SetSelLength(static_cast<int>(edit->Lines()->Get(0).size()));
    edit->SelAttributes()->SetStyle({fsBold});
    edit->SelAttributes()->SetColor(clRed);
    edit->Lines()->Add("Päivän tärkeimmät uutiset."_a);
    EXPECT_EQ(edit->Lines()->Count(), 2);
    EXPECT_EQ(edit->LineStart(1), 14);

    edit->SetSelStart(2);
    edit->SetSelLength(1);
    EXPECT_EQ(edit->SelAttributes()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(edit->SelAttributes()->Color(), clRed);
    edit->SetSelStart(edit->LineStart(1) + 3);
    edit->SetSelLength(1);
    EXPECT_EQ(edit->SelAttributes()->Style(), TFontStyles{});

    edit->SetSelStart(6);
    edit->SetSelLength(13);
    EXPECT_EQ(edit->SelText(), "Uutiset\r\nPäivä"_a);
    edit->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "Uutiset\nPäivä"_a);
    edit->Lines()->Delete(0);
    EXPECT_EQ(edit->Lines()->Get(0), "Päivän tärkeimmät uutiset."_a);
    edit->Lines()->Clear();
    EXPECT_EQ(edit->Lines()->Count(), 0);
}

TEST_F(FormsTest, StatusPanelsHoldWidthsAndTexts)
{
    TForm form(nullptr);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    for (int width : {500, 90, 80})
        bar->Panels()->Add()->SetWidth(width);
    bar->Panels()->Items(1)->SetAlignment(taCenter);
    bar->Panels()->Items(0)->SetText("Ladataan...");
    EXPECT_EQ(bar->Panels()->Count(), 3);
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), "Ladataan...");
    EXPECT_EQ(bar->Panels()->Items(2)->Width(), 80);
    EXPECT_EQ(bar->Align(), alBottom);
    bar->Widget()->grab(); // paints without a fault
}

TEST_F(FormsTest, CodeSetValuesRaiseNoEventsUserActionsDo)
{
    TForm form(nullptr);
    auto* tabs = AddWeekTabs(form);
    tabs->SetTabWidth(120);
    int changes = 0;
    bool allow = true;
    tabs->OnChange = [&](TObject*) { ++changes; };
    tabs->OnChanging = [&](TObject*, bool& allowChange) { allowChange = allow; };
    tabs->SetTabIndex(1);
    tabs->SetTabIndex(5);
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->SetTabIndex(0);
    auto buttons = tabs->Widget()->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[1]->width(), 120);
    buttons[1]->click();
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(changes, 1);
    allow = false;
    buttons[0]->click();
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_FALSE(buttons[0]->isChecked());
    EXPECT_EQ(changes, 1);

    auto* box = new TCheckBox(&form);
    box->SetParent(&form);
    int boxClicks = 0;
    box->OnClick = [&](TObject*) { ++boxClicks; };
    box->SetChecked(true);
    EXPECT_EQ(boxClicks, 0);
    static_cast<QCheckBox*>(box->Widget())->click();
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(boxClicks, 1);

    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetStyle(csDropDownList);
    int comboChanges = 0;
    combo->OnChange = [&](TObject*) { ++comboChanges; };
    combo->Items()->Add("Aikajono");
    combo->Items()->Add("Taulukko");
    combo->SetItemIndex(1);
    combo->SetItemIndex(9);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetText("Taulukko");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(comboChanges, 0);
}

TEST_F(FormsTest, SplitterResizesTheControlBelowItWithinLimits)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 400);
    auto* list = new TListBox(&form);
    list->SetParent(&form);
    list->SetAlign(alClient);
    auto* pane = new TRichEdit(&form);
    pane->SetParent(&form);
    pane->SetHeight(100);
    pane->SetAlign(alBottom);
    auto* splitter = new TSplitter(&form);
    splitter->SetParent(&form);
    splitter->SetHeight(2);
    splitter->SetTop(pane->Top() - 2);
    splitter->SetAlign(alBottom);
    splitter->SetMinSize(50);
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };
    form.Show();
    Flush();
    EXPECT_EQ(splitter->Top() + 2, pane->Top());

    QWidget* bar = splitter->Widget();
    MouseButton(bar, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, -29), QPointF(bar->mapToGlobal(QPoint(5, -29))), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    MouseButton(bar, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, -29));
    EXPECT_EQ(pane->Height(), 130);
    EXPECT_EQ(splitter->Top() + 2, pane->Top());
    EXPECT_EQ(list->Height(), form.ClientHeight() - 132);
    EXPECT_EQ(moved, 1);

    MouseButton(bar, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 1));
    QMouseEvent down(QEvent::MouseMove, QPointF(5, 500), QPointF(bar->mapToGlobal(QPoint(5, 500))), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &down);
    MouseButton(bar, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 500));
    EXPECT_EQ(pane->Height(), 50);
}

TEST_F(FormsTest, PageScrollerShowsArrowsOnlyForATallerControl)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 300);
    auto* scroller = new TPageScroller(&form);
    scroller->SetParent(&form);
    scroller->SetBounds(0, 0, 115, 200);
    EXPECT_EQ(scroller->ButtonSize(), 12);
    scroller->SetButtonSize(20);
    EXPECT_EQ(scroller->ButtonSize(), 20);
    auto* channels = new TListBox(&form);
    scroller->SetControl(channels);
    channels->SetHeight(20 * 5 + 20);
    scroller->Realign();
    form.Show();
    Flush();
    auto arrows = scroller->Widget()->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    EXPECT_FALSE(arrows[0]->isVisible());
    EXPECT_EQ(channels->Width(), 115);

    channels->SetHeight(20 * 26 + 20);
    scroller->Realign();
    EXPECT_TRUE(arrows[1]->isVisible());
    scroller->SetPosition(10000);
    EXPECT_EQ(scroller->Position(), 540 - 160);
    arrows[1]->click();
    EXPECT_EQ(scroller->Position(), 540 - 160);
    arrows[0]->click();
    EXPECT_EQ(scroller->Position(), 540 - 180);
    EXPECT_EQ(arrows[0]->height(), scroller->ButtonSize()) << "the arrows are as tall as a step";

    // Below one pixel a step is one pixel; the view grows by what the arrows gave up.
    scroller->SetButtonSize(0);
    EXPECT_EQ(scroller->ButtonSize(), 1);
    EXPECT_EQ(scroller->Position(), 540 - 198);
    arrows[0]->click();
    EXPECT_EQ(scroller->Position(), 540 - 199);
    EXPECT_EQ(arrows[0]->height(), 1);
}

TEST_F(FormsTest, WrappedLabelGrowsWithItsTextAndCopyMessageCopies)
{
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetWidth(305);
    label->SetWordWrap(true);
    label->SetCaption("Lyhyt.");
    int oneLine = label->Height();
    label->SetCaption(AnsiString(40, 'x') + " " + AnsiString(40, 'y') + " " + AnsiString(40, 'z') + " " + AnsiString(40, 'w'));
    EXPECT_EQ(label->Width(), 305);
    EXPECT_GT(label->Height(), oneLine);

    auto* pane = new TRichEdit(&form);
    pane->SetParent(&form);
    pane->Lines()->Add("Kopioi tämä"_a);
    pane->SelectAll();
    pane->Perform(WM_COPY, 0, 0);
    EXPECT_EQ(Clipboard()->AsText(), "Kopioi tämä"_a);
}

TEST_F(FormsTest, PagesChangeSilentlyFromCodeAndAudiblyForTheUser)
{
    TForm form(nullptr);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    std::vector<TTabSheet*> sheets;
    for (const char* caption : {"Yleiset", "Hälytykset", "Kanavat"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetCaption(cp1252::FromUtf8(caption));
        sheet->SetPageControl(pages);
        sheets.push_back(sheet);
    }
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form.Show();
    auto shownPages = [&] {
        std::vector<TTabSheet*> shown;
        for (TTabSheet* sheet : sheets)
            if (sheet->Showing())
                shown.push_back(sheet);
        return shown;
    };
    pages->SetActivePage(sheets[1]);
    pages->SetActivePageIndex(7);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(shownPages(), std::vector<TTabSheet*>{sheets[1]});
    EXPECT_EQ(changes, 0);
    static_cast<QTabWidget*>(pages->Widget())->tabBar()->setCurrentIndex(2);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(shownPages(), std::vector<TTabSheet*>{sheets[2]});
    EXPECT_EQ(changes, 1);
    pages->SetActivePageIndex(0);
    EXPECT_EQ(shownPages(), std::vector<TTabSheet*>{sheets[0]});
    delete sheets[0];
    sheets.erase(sheets.begin());
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(sheets[1]->PageIndex(), 1);
    EXPECT_EQ(shownPages(), std::vector<TTabSheet*>{pages->ActivePage()});
    EXPECT_EQ(changes, 1);
}

TEST_F(FormsTest, EnterInAMemoStartsALineUnlessTheMemoLeavesItToTheForm)
{
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetDefault(true);
    auto* cancel = new TButton(&form);
    cancel->SetParent(&form);
    cancel->SetCancel(true);
    int okClicks = 0;
    int cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    form.Show();
    memo->SetFocus();

    PressKey(memo->Widget(), Qt::Key_A, Qt::NoModifier, "a");
    PressKey(memo->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    PressKey(memo->Widget(), Qt::Key_B, Qt::NoModifier, "b");
    PressKey(memo->Widget(), Qt::Key_Escape);
    EXPECT_EQ(memo->Text(), "a\r\nb");
    EXPECT_EQ(okClicks, 0);
    EXPECT_EQ(cancelClicks, 0);

    memo->SetWantReturns(false);
    PressKey(memo->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    PressKey(memo->Widget(), Qt::Key_Escape);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    ok->SetDefault(false);
    PressKey(memo->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(memo->Text(), "a\r\nb");

    // Tab leaves the memo unless the memo wants tabs.
    EXPECT_TRUE(static_cast<QTextEdit*>(memo->Widget())->tabChangesFocus());
    memo->SetWantTabs(true);
    PressKey(memo->Widget(), Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(memo->Text(), "a\r\nb\t");
}

// The class library's cursor numbers show the desktop's cursor of their meaning.
TEST_F(FormsTest, EachCursorNumberShowsItsShape)
{
    const std::pair<int, Qt::CursorShape> cursors[] = {
        {-11, Qt::WaitCursor}, {-21, Qt::PointingHandCursor}, {-2, Qt::ArrowCursor}, {-99, Qt::ArrowCursor}};
    for (const auto& [number, shape] : cursors) {
        Screen->SetCursor(static_cast<TCursor>(number));
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr) << number;
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), shape) << number;
        Screen->SetCursor(crDefault);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
