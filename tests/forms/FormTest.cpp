#include <QWidget>
#include <QWindow>
#include "FormsFixture.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Button.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/MenuItem.h"

namespace {

class TSampleForm : public TForm {
public:
    explicit TSampleForm(TComponent* owner) : TForm(owner)
    {
        OnCreate = [this](TObject*) {
            ++Creates;
            MainAtCreate = Application->MainForm();
        };
    }
    ~TSampleForm() override { Destroyed = true; }
    int Creates = 0;
    TForm* MainAtCreate = nullptr;
    static inline bool Destroyed = false;
};

} // namespace

TEST_F(FormsTest, FrameBoundsSurviveShowAndHide)
{
    TForm form(nullptr);
    form.SetBounds(40, 60, 700, 644);
    for (int round = 0; round < 2; ++round) {
        form.Show();
        Flush();
        EXPECT_EQ(form.BoundsRect(), Bounds(40, 60, 700, 644)) << round;
        form.Hide();
        EXPECT_EQ(form.BoundsRect(), Bounds(40, 60, 700, 644)) << round;
    }
    form.SetClientWidth(300);
    EXPECT_EQ(form.ClientWidth(), 300);
}

TEST_F(FormsTest, CreateFormMakesTheMainFormBeforeItsCreateHandlerAndRunShowsIt)
{
    TSampleForm* main = nullptr;
    TSampleForm* other = nullptr;
    App.CreateForm(main);
    App.CreateForm(other);
    EXPECT_EQ(main->Creates, 1);
    EXPECT_EQ(main->MainAtCreate, main);
    EXPECT_EQ(other->MainAtCreate, main);
    main->Show();
    EXPECT_EQ(main->Creates, 1);
    main->Hide();

    App.ShowMainForm = false;
    App.BeforeRun();
    EXPECT_FALSE(main->Visible());
    App.ShowMainForm = true;
    App.BeforeRun();
    EXPECT_TRUE(main->Widget()->isVisible());

    // The main form's close ends the application; another form's close only hides it.
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(App.Terminated());
    main->Close();
    EXPECT_TRUE(App.Terminated());
}

TEST_F(FormsTest, CloseActionFreeReleasesTheFormLater)
{
    TSampleForm::Destroyed = false;
    auto* form = new TSampleForm(nullptr);
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->Show();
    form->Close();
    EXPECT_FALSE(TSampleForm::Destroyed);
    Flush();
    EXPECT_TRUE(TSampleForm::Destroyed);
}

// The form's going is heard while its window and components are still there, once, on every
// way a form is freed; a failing handler is reported and the form still goes.
TEST_F(FormsTest, OnDestroyRunsOnceBeforeTheComponentsGo)
{
    std::vector<AnsiString> heard;
    // A form with one button, whose caption OnDestroy records.
    auto watched = [&heard](TComponent* owner, const AnsiString& caption) {
        auto* form = new TForm(owner);
        auto* button = new TButton(form);
        button->SetCaption(caption);
        form->OnDestroy = [&heard, form, button](TObject* sender) {
            EXPECT_EQ(sender, form);
            EXPECT_NE(form->Widget(), nullptr);
            EXPECT_EQ(form->ComponentCount(), 1);
            heard.push_back(button->Caption());
        };
        return form;
    };
    TForm* deleted = watched(nullptr, "OK");
    deleted->BeforeDestruction();
    delete deleted;
    EXPECT_EQ(heard, std::vector<AnsiString>{"OK"});

    TForm* released = watched(nullptr, "Sulje");
    released->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    released->Show();
    released->Close();
    Flush();
    EXPECT_EQ(heard, (std::vector<AnsiString>{"OK", "Sulje"}));

    // Freed by its owner; a release pending meanwhile does not free it twice.
    auto* owner = new TForm(nullptr);
    watched(owner, "Peruuta")->Release();
    delete owner;
    Flush();
    EXPECT_EQ(heard, (std::vector<AnsiString>{"OK", "Sulje", "Peruuta"}));

    InstallDefaultExceptionBox();
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::ExceptionBox);
        box.Press("OK");
    });
    auto* failing = new TForm(nullptr);
    failing->OnDestroy = [](TObject*) { throw Exception("Asetuksia ei voi tallentaa."); };
    failing->Release(); // the error box's loop runs while this release is still pending
    delete failing;
}

TEST_F(FormsTest, ShowModalEndsWithTheButtonsModalResult)
{
    TForm dialog(nullptr);
    dialog.SetCaption("Asetukset");
    auto* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetCaption("&OK");
    ok->SetModalResult(mrOk);
    bool closed = false;
    dialog.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::Form);
        EXPECT_EQ(box.Caption(), "Asetukset");
        box.Press("OK");
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(FormsTest, AlignedControlsShareTheClientArea)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* left = new TListBox(&form);
    left->SetParent(&form);
    left->SetWidth(115);
    left->SetAlign(alLeft);
    auto* bottom = new TListBox(&form);
    bottom->SetParent(&form);
    bottom->SetHeight(100);
    bottom->SetAlign(alBottom);
    auto* centre = new TListBox(&form);
    centre->SetParent(&form);
    centre->SetAlign(alClient);
    form.Show();
    Flush();
    int w = form.ClientWidth();
    int h = form.ClientHeight();
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, h - 100, w, 100));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 115, h - 100));
    EXPECT_EQ(centre->BoundsRect(), Bounds(115, 0, w - 115, h - 100));

    int resizes = 0;
    form.OnResize = [&](TObject*) { ++resizes; };
    form.SetBounds(0, 0, 500, 400);
    Flush();
    EXPECT_GE(resizes, 1);
    EXPECT_EQ(centre->Width(), form.ClientWidth() - 115);
    bottom->SetVisible(false);
    EXPECT_EQ(centre->Height(), form.ClientHeight());
}

TEST_F(FormsTest, StayOnTopIsGivenOnceAndMaximisedStateIsKept)
{
    TForm form(nullptr);
    form.SetFormStyle(fsStayOnTop);
    form.Show();
    Flush();
    WId window = form.Widget()->winId();
    form.SetFormStyle(fsStayOnTop);
    EXPECT_EQ(form.Widget()->winId(), window);
    EXPECT_TRUE(form.Widget()->isVisible());
    EXPECT_TRUE(form.Widget()->windowFlags() & Qt::WindowStaysOnTopHint);

    TForm big(nullptr);
    big.SetWindowState(wsMaximized);
    big.Show();
    Flush();
    EXPECT_EQ(big.WindowState(), wsMaximized);
}

TEST_F(FormsTest, ClientSizeSetInTheConstructorIsTheClientSize)
{
    class TDialog : public TForm {
    public:
        explicit TDialog(TComponent* owner) : TForm(owner)
        {
            SetBorderStyle(bsDialog);
            SetClientWidth(406);
            SetClientHeight(351);
        }
    };
    TDialog dialog(nullptr);
    EXPECT_EQ(dialog.ClientWidth(), 406);
    EXPECT_EQ(dialog.ClientHeight(), 351);
    dialog.Show();
    Flush();
    EXPECT_EQ(dialog.ClientWidth(), 406);
    EXPECT_EQ(dialog.ClientHeight(), 351);
    EXPECT_EQ(dialog.Width() - dialog.ClientWidth(), dialog.Widget()->frameGeometry().width() - 406);

    // A menu bar sits between frame and client area; a frame size set later wins.
    TForm withMenu(nullptr);
    auto* menu = new TMainMenu(&withMenu);
    auto* file = new TMenuItem(&withMenu);
    file->SetCaption("&Tiedosto");
    menu->Items()->Add(file);
    withMenu.SetMenu(menu);
    withMenu.SetClientHeight(200);
    EXPECT_EQ(withMenu.ClientHeight(), 200);
    withMenu.Show();
    Flush();
    EXPECT_EQ(withMenu.ClientHeight(), 200);
    EXPECT_GT(withMenu.Height(), 200);
    withMenu.SetBounds(0, 0, 500, 400);
    Flush();
    EXPECT_EQ(withMenu.Widget()->frameGeometry().size(), QSize(500, 400));
}

TEST_F(FormsTest, AFixedWindowKeepsItsFrameSizeWhenShown)
{
    for (TFormBorderStyle style : {bsDialog, bsSingle, bsSizeable}) {
        TForm form(nullptr);
        form.SetBorderStyle(style);
        form.SetBounds(30, 40, 300, 200);
        form.Show();
        Flush();
        EXPECT_EQ(form.BoundsRect(), Bounds(30, 40, 300, 200)) << style;
        EXPECT_EQ(form.Widget()->frameGeometry().size(), QSize(300, 200)) << style;
        form.SetBounds(30, 40, 320, 220);
        Flush();
        EXPECT_EQ(form.Widget()->frameGeometry().size(), QSize(320, 220)) << style;
    }
}

TEST_F(FormsTest, TheTitleBarAsksForTheButtonsOfTheBorderStyleAndIcons)
{
    const Qt::WindowFlags buttons =
        Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    auto shown = [&](TForm& form) {
        form.Show();
        return form.Widget()->windowHandle()->flags() & buttons;
    };
    TForm sizeable(nullptr);
    EXPECT_EQ(shown(sizeable), buttons);
    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsDialog);
    EXPECT_EQ(shown(dialog), Qt::WindowCloseButtonHint);
    TForm progress(nullptr);
    progress.SetBorderStyle(bsDialog);
    progress.SetShowInTaskbar(false);
    progress.SetBorderIcons({});
    EXPECT_EQ(shown(progress), Qt::WindowFlags());
    EXPECT_TRUE(progress.Widget()->windowHandle()->flags() & Qt::WindowTitleHint);
    TForm noMaximise(nullptr);
    noMaximise.SetBorderIcons({biSystemMenu, biMinimize});
    EXPECT_EQ(shown(noMaximise), Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
}
