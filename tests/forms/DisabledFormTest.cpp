// While a modal window runs, the other windows are disabled: their controls take no mouse or key
// input at all, whatever Qt hands to their event filters.
#include <QTest>
#include <QWindow>
#include "FormsFixture.h"
#include "WatchedControls.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/PaintBox.h"
#include "platform/forms/Panel.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/UpDown.h"

namespace {

class DisabledFormTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form.SetBounds(10, 10, 640, 480);
        Form.KeyPreview = true;
        Form.OnKeyDown = [this](TObject*, WORD&, TShiftState) { ++FormKeys; };
        auto* menu = new TMainMenu(&Form);
        auto* item = new TMenuItem(menu);
        item->SetCaption("Asetukset");
        item->SetShortCut(ShortCut(VK_SPACE, {}));
        item->OnClick = [this](TObject*) { ++MenuClicks; };
        menu->Items()->Add(item);
        Form.SetMenu(menu);
        Popup = new TPopupMenu(&Form);
        Popup->OnPopup = [this](TObject*) { ++Popups; };
        Controls.Popup = Popup;
    }

    TForm Form{nullptr};
    TPopupMenu* Popup = nullptr;
    WatchedControls Controls{Form};
    int FormKeys = 0;
    int MenuClicks = 0;
    int Popups = 0;
};

} // namespace

TEST_F(DisabledFormTest, ControlsOfADisabledFormTakeNoInputAndTakeItAgainOnceEnabled)
{
    auto* button = Controls.Add(new TButton(&Form), 8, 8, 75, 25);
    auto* check = Controls.Add(new TCheckBox(&Form), 8, 40, 120, 17);
    check->SetCaption("Kaytossa");
    auto* edit = Controls.Add(new TEdit(&Form), 8, 64, 120, 21);
    auto* memo = Controls.Add(new TMemo(&Form), 8, 92, 120, 60);
    auto* combo = Controls.Add(new TComboBox(&Form), 8, 160, 120, 21);
    combo->Items()->Add("TV1");
    combo->Items()->Add("TV2");
    combo->SetItemIndex(0);
    auto* list = Controls.Add(new TListBox(&Form), 140, 8, 120, 100);
    for (const char* text : {"TV1", "TV2", "MTV3"})
        list->Items()->Add(text);
    auto* view = Controls.Add(new TListView(&Form), 140, 116, 120, 100);
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("Kanava");
    for (const char* text : {"TV1", "TV2"})
        view->Items()->Add()->SetCaption(text);
    auto* label = Controls.Add(new TLabel(&Form), 270, 8, 100, 13);
    label->SetCaption("Kanava:");
    Controls.Add(new TImage(&Form), 270, 30, 32, 32);
    Controls.Add(new TPanel(&Form), 270, 70, 100, 40);
    Controls.Add(new TPaintBox(&Form), 270, 120, 100, 40);
    auto* tabs = Controls.Add(new TTabControl(&Form), 380, 8, 200, 24);
    tabs->Tabs()->Add("Ma");
    tabs->Tabs()->Add("Ti");
    tabs->SetTabIndex(1);
    auto* pages = Controls.Add(new TPageControl(&Form), 380, 40, 200, 100);
    for (const char* caption : {"Yleiset", "Kanavat"}) {
        auto* sheet = new TTabSheet(&Form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    auto* date = Controls.Add(new TDateTimePicker(&Form), 380, 150, 120, 21);
    auto* upDown = Controls.Add(new TUpDown(&Form), 380, 180, 17, 21);
    auto* status = Controls.Add(new TStatusBar(&Form), 0, 400, 400, 20);
    status->SetSimpleText("Valmis");
    int tabChanges = 0;
    tabs->OnChange = [&](TObject*) { ++tabChanges; };
    pages->OnChange = [&](TObject*) { ++tabChanges; };
    int dateChanges = 0;
    date->OnChange = [&](TObject*) { ++dateChanges; };
    TDateTime dateBefore = date->Date();
    int position = upDown->Position();
    Form.Show();
    Flush();

    Controls.HandleAllUnderAModalForm(Answers, [&] {
        EXPECT_EQ(FormKeys, 0);
        EXPECT_EQ(MenuClicks, 0);
        EXPECT_EQ(Popups, 0);
        EXPECT_FALSE(check->Checked());
        EXPECT_EQ(edit->Text(), "");
        EXPECT_EQ(memo->Lines()->Count(), 0);
        EXPECT_EQ(combo->ItemIndex(), 0);
        EXPECT_EQ(list->ItemIndex(), -1);
        EXPECT_EQ(view->Selected(), nullptr);
        EXPECT_EQ(tabs->TabIndex(), 1);
        EXPECT_EQ(pages->ActivePageIndex(), 0);
        EXPECT_EQ(tabChanges + dateChanges, 0);
        EXPECT_EQ(date->Date(), dateBefore);
        EXPECT_EQ(upDown->Position(), position);
    });

    // The same input reaches the controls once the form is enabled again.
    Controls.HandleAll();
    EXPECT_GT(FormKeys, 0);
    EXPECT_GT(MenuClicks, 0);
    EXPECT_GT(Popups, 0);
    for (TControl* control : {static_cast<TControl*>(button), static_cast<TControl*>(check),
                              static_cast<TControl*>(list), static_cast<TControl*>(label)})
        EXPECT_GT(Controls.Raised(control), 0) << control->Widget()->metaObject()->className();
    EXPECT_TRUE(check->Checked() || Controls.Raised(check) > 1);
    EXPECT_NE(list->ItemIndex(), -1);
}

// The window manager keeps a window over the one it is transient for; Qt blocks that one's input.
TEST_F(DisabledFormTest, AModalFormStaysOverTheActiveWindowWhileAWindowOpenedMeanwhileStaysFree)
{
    Form.Show();
    Form.Activate();
    Flush();
    TForm modal(nullptr);
    modal.SetCaption("Valitse");
    TForm notice(nullptr);
    notice.SetCaption("Hälytys"_a);
    Answers.push_back([&](ModalBox& box) {
        QWindow* window = modal.Widget()->windowHandle();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->transientParent(), Form.Widget()->windowHandle());
        EXPECT_EQ(window->modality(), Qt::WindowModal);
        EXPECT_EQ(window->type(), Qt::Dialog);
        EXPECT_FALSE(Form.Widget()->isEnabled());
        notice.Show();
        Flush();
        EXPECT_TRUE(notice.Widget()->isEnabled());
        EXPECT_EQ(notice.Widget()->windowHandle()->transientParent(), nullptr);
        EXPECT_EQ(notice.Widget()->windowHandle()->modality(), Qt::NonModal);
        box.Close(mrOk);
    });
    modal.ShowModal();
    EXPECT_TRUE(Form.Widget()->isEnabled());
    EXPECT_TRUE(notice.Widget()->isEnabled());

    // Shown again without a modal run, it is a window of its own.
    modal.Show();
    Flush();
    QWindow* window = modal.Widget()->windowHandle();
    EXPECT_EQ(window->transientParent(), nullptr);
    EXPECT_EQ(window->modality(), Qt::NonModal);
    EXPECT_EQ(window->type(), Qt::Window);
}

// A box belongs over a window that stays put while it runs: the main form, or the box it
// interrupts. An alarm notice that stays on top by itself and happens to hold the foreground is
// never its owner: the window manager would tie the box to a window the program keeps sending
// under it, and the notice could no longer be told apart from the box's own window.
TEST_F(DisabledFormTest, ABoxNeverBelongsToANoticeThatHeldTheForeground)
{
    struct Case {
        const char* name;
        bool nested; // the box interrupts a running box
    };
    const Case cases[] = {{"over the main form", false}, {"over the running box", true}};
    Form.Show();
    Flush();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm running(nullptr);
        running.SetCaption("Asetukset");
        TForm notice(nullptr);
        notice.SetCaption("TV1: 20:00 Uutiset");
        notice.SetBorderStyle(bsDialog);
        notice.SetFormStyle(fsStayOnTop);
        TForm warning(nullptr);
        warning.SetCaption("Varoitus");
        warning.SetBorderStyle(bsDialog);
        QWidget* expectedOwner = c.nested ? running.Widget() : Form.Widget();
        auto runWarning = [&] {
            notice.Show();
            notice.Activate();
            Flush();
            Answers.push_back([&](ModalBox& box) {
                QWindow* window = warning.Widget()->windowHandle();
                ASSERT_NE(window, nullptr);
                EXPECT_NE(window->transientParent(), notice.Widget()->windowHandle());
                EXPECT_EQ(window->transientParent(), expectedOwner->windowHandle());
                // Nor is the notice told as a dialog of the program's windows, which a window
                // manager keeps above all of them, the box included.
                EXPECT_EQ(notice.Widget()->windowHandle()->type(), Qt::Window);
                box.Close(mrOk);
            });
            warning.ShowModal();
        };
        if (c.nested) {
            Answers.push_back([&](ModalBox& box) {
                runWarning();
                box.Close(mrOk);
            });
            running.ShowModal();
        } else {
            runWarning();
        }
    }
}

// A notice restates its place on top every few hundred milliseconds. While a box runs, the box
// stays above it anyway: the restatement neither sends it under the box again nor hands the
// keyboard back to the box, so a user who brought the notice forward can close it with Escape.
TEST_F(DisabledFormTest, ANoticeBroughtForwardUnderABoxKeepsTheKeyboard)
{
    Form.Show();
    Flush();
    TForm box(nullptr);
    box.SetCaption("Varoitus");
    TForm notice(nullptr);
    notice.SetFormStyle(fsStayOnTop);
    Answers.push_back([&](ModalBox& running) {
        notice.Show();
        // The box is raised once more when the notice is up; the user's click comes after that.
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.Active(); }, 5000)) << "the box in front as the notice shows";
        EXPECT_TRUE(QTest::qWaitFor([&] {
            notice.Widget()->activateWindow();
            return notice.Active();
        }, 5000)) << "brought forward by the user";
        notice.SetFormStyle(fsStayOnTop);
        Flush();
        EXPECT_TRUE(notice.Active());
        EXPECT_FALSE(box.Active());
        running.Close(mrOk);
    });
    box.ShowModal();
}
