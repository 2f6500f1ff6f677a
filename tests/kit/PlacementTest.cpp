#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "support/EventLoopWait.h"
#include "kit/Placement.h"
#include "kit/WindowHook.h"
#include "kit/WindowRoutines.h"
#include "platform/core/Filer.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Panel.h"
#include "platform/forms/WindowQueries.h"
#include "platform/services/Registry.h"
#include <QMenu>
#include <map>

namespace {

class TPlacedForm : public TForm {
public:
    explicit TPlacedForm(TComponent* owner) : TForm(owner)
    {
        SetBounds(10, 10, 300, 200);
        Placement = new TFormPlacement(this);
        Placement->SetName("Placement");
        Field = new TEdit(this);
        Field->SetName("Field");
        Field->SetParent(this);
    }
    TFormPlacement* Placement;
    TEdit* Field;
};

class PlacementTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        SavedExeFolder = ExeFolder();
        SetExeFolder(FromSystemPath(Dir.path().toStdString()) + "/");
    }
    void TearDown() override
    {
        SetExeFolder(SavedExeFolder);
        FormsTest::TearDown();
    }
    AnsiString IniPath() const { return ExeFolder() + "placement.ini"; }
    AnsiString Read(const AnsiString& key) const { return TIniFile(IniPath()).ReadString("TPlacedForm", key, "-"); }
    // Shown and up (an MDI child: its main form's window): the state a placement restores waits
    // for the window to be up.
    static void ShowUp(TForm& form)
    {
        form.Show();
        QWindow* window = form.Widget()->window()->windowHandle();
        ASSERT_TRUE(window);
        ASSERT_TRUE(fixture::RunUntil([&] { return window->isExposed(); }));
        Flush();
    }
    std::unique_ptr<TPlacedForm> MakeForm()
    {
        auto form = std::make_unique<TPlacedForm>(nullptr);
        form->Placement->SetIniFileName("placement.ini");
        return form;
    }
    QTemporaryDir Dir;
    AnsiString SavedExeFolder;
};

} // namespace

TEST_F(PlacementTest, FrameBoundsAndMaximisedStateSurviveARestart)
{
    auto form = MakeForm();
    ShowUp(*form);
    form->SetBounds(100, 120, 400, 300);
    Flush();
    form->SetWindowState(wsMaximized);
    Flush();
    form->Close();
    EXPECT_EQ(Read("NormPos"), "100,120,500,420");
    EXPECT_EQ(Read("NormPos" + ScreenSizeSuffix()), "100,120,500,420");
    EXPECT_EQ(Read("ShowCmd"), "3");
    EXPECT_EQ(Read("FormVersion"), "0");
    EXPECT_EQ(Read("Visible"), "0");
    EXPECT_EQ(Read("PixelsPerInch"), IntToStr(ScreenPixelsPerInch()));
    form.reset();

    auto again = MakeForm();
    ShowUp(*again);
    EXPECT_EQ(again->WindowState(), wsMaximized);
    EXPECT_EQ(GetWindowPlacement(again.get()).NormalPosition, Rect(100, 120, 500, 420));
    // Saved again as it was: the window does not creep from run to run.
    again->Close();
    EXPECT_EQ(Read("NormPos"), "100,120,500,420");
    ShowUp(*again);
    again->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(again->BoundsRect(), Bounds(100, 120, 400, 300));
}

TEST_F(PlacementTest, OtherScreenResolutionKeepsOnlyTheState)
{
    TIniFile ini(IniPath());
    ini.WriteInteger("TPlacedForm", "PixelsPerInch", ScreenPixelsPerInch() + 24);
    ini.WriteString("TPlacedForm", "NormPos", "50,60,450,360");
    ini.WriteInteger("TPlacedForm", "ShowCmd", 3);
    auto form = MakeForm();
    ShowUp(*form);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(GetWindowPlacement(form.get()).NormalPosition, Bounds(10, 10, 300, 200));
}

TEST_F(PlacementTest, AStoredPlaceNoScreenHoldsIsKeptOnTheScreen)
{
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* stored : {"0,0,100000,100000", "-5000,-5000,-4000,-4500", "-2147483648,0,2147483647,300"}) {
        TIniFile ini(IniPath());
        ini.WriteString("TPlacedForm", "NormPos", stored);
        ini.WriteInteger("TPlacedForm", "ShowCmd", 1);
        auto form = MakeForm();
        ShowUp(*form);
        Flush();
        QRect frame = form->Widget()->frameGeometry();
        EXPECT_TRUE(screen.contains(frame)) << stored << ": " << frame.x() << "," << frame.y() << " "
                                            << frame.width() << "x" << frame.height();
        form->Close();
    }
}

TEST_F(PlacementTest, AnOlderVersionRestoresNothingAndIsReplacedAtClose)
{
    TIniFile ini(IniPath());
    ini.WriteInteger("TPlacedForm", "FormVersion", 1);
    ini.WriteString("TPlacedForm", "NormPos", "50,60,450,360");
    ini.WriteInteger("TPlacedForm", "ShowCmd", 1);
    auto form = MakeForm();
    form->Placement->SetVersion(2);
    ShowUp(*form);
    EXPECT_EQ(form->BoundsRect(), Bounds(10, 10, 300, 200));
    form->Close();
    EXPECT_EQ(Read("FormVersion"), "2");
    EXPECT_EQ(Read("NormPos"), "10,10,310,210");
}

TEST_F(PlacementTest, NothingIsSavedBeforeARestoreAndAFormFreedOpenIsMarkedVisible)
{
    auto form = MakeForm();
    form->Placement->SaveNow();
    EXPECT_FALSE(FileExists(IniPath()));
    form->Close();
    EXPECT_FALSE(FileExists(IniPath()));

    ShowUp(*form);
    form->SetBounds(30, 40, 320, 240);
    Flush();
    form.reset();
    EXPECT_EQ(Read("Visible"), "1");
    EXPECT_EQ(Read("NormPos"), "30,40,350,280");
}

TEST_F(PlacementTest, QuotedValuesReadBackUnchangedAndLinksSaveAlong)
{
    auto form = MakeForm();
    form->Placement->WriteString("Title", "\"Uutiset\"");
    form->Placement->WriteString("Other", "'x'");
    EXPECT_EQ(form->Placement->ReadString("Title", ""), "\"Uutiset\"");
    EXPECT_EQ(form->Placement->ReadString("Other", ""), "'x'");

    TIniLink link;
    int saves = 0, loads = 0;
    link.OnSave = [&](TObject*) {
        ++saves;
        EXPECT_NE(link.IniObject(), nullptr);
        StorageWriteInteger(link.IniObject(), "Linked", "Value", 7);
    };
    link.OnLoad = [&](TObject*) { loads += StorageReadInteger(link.IniObject(), "Linked", "Value", 0); };
    link.SetIniStorage(form->Placement);
    EXPECT_EQ(link.RootSection(), "");
    form->Placement->SetIniSection("Ikkuna");
    EXPECT_EQ(link.RootSection(), "Ikkuna\\");
    ShowUp(*form);
    form->Close();
    EXPECT_EQ(saves, 1);
    ShowUp(*form);
    EXPECT_EQ(loads, 7);
    EXPECT_EQ(TIniFile(IniPath()).ReadString("Ikkuna", "ShowCmd", ""), "1");
}

TEST_F(PlacementTest, PreventResizeFreezesTheShownSizeAndTakesTheMaximiseButtonAway)
{
    auto form = MakeForm();
    form->Placement->SetPreventResize(true);
    ShowUp(*form);
    QWidget* window = form->Widget();
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->maximumSize(), window->size());
    EXPECT_FALSE(form->BorderIcons().Contains(biMaximize));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window->isVisible());
    form->Placement->SetPreventResize(false);
    EXPECT_TRUE(form->BorderIcons().Contains(biMaximize));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    form->Placement->MinMaxInfo()->SetMaxTrackWidth(500);
    EXPECT_EQ(window->maximumWidth(), 500 - (form->Width() - window->width()));
    EXPECT_EQ(window->minimumWidth(), 0);
}

TEST_F(PlacementTest, WithUseRegistryThePlaceIsKeptUnderTheChosenRootAndOptionsSayWhatComesBack)
{
    auto make = [] {
        auto form = std::make_unique<TPlacedForm>(nullptr);
        form->Placement->SetUseRegistry(true);
        form->Placement->SetRegistryRoot(prLocalMachine);
        form->Placement->SetIniFileName("Software\\QexTest\\Placement");
        return form;
    };
    auto form = make();
    EXPECT_TRUE(form->Placement->UseRegistry());
    EXPECT_EQ(form->Placement->RegistryRoot(), prLocalMachine);
    ShowUp(*form);
    form->SetBounds(100, 120, 400, 300);
    Flush();
    form->Close();
    form.reset();
    EXPECT_FALSE(FileExists(IniPath())) << "no INI file is written";
    EXPECT_EQ(TRegIniFile("Software\\QexTest\\Placement", HKEY_LOCAL_MACHINE).ReadString("TPlacedForm", "NormPos", "-"),
              "100,120,500,420");
    EXPECT_EQ(TRegIniFile("Software\\QexTest\\Placement").ReadString("TPlacedForm", "NormPos", "-"), "-")
        << "nothing under another root";

    auto again = make();
    ShowUp(*again);
    EXPECT_EQ(again->BoundsRect(), Bounds(100, 120, 400, 300));
    again->Close();
    again.reset();

    // Without fpPosition the stored place is not taken.
    auto stateOnly = make();
    stateOnly->Placement->SetOptions(TPlacementOptions{fpState});
    EXPECT_EQ(stateOnly->Placement->Options(), TPlacementOptions{fpState});
    ShowUp(*stateOnly);
    EXPECT_EQ(stateOnly->BoundsRect(), Bounds(10, 10, 300, 200));
}

TEST_F(PlacementTest, MinMaxInfoGivenWholeLimitsTheFormsHeight)
{
    auto form = MakeForm();
    TFormPlacement other(nullptr);
    other.MinMaxInfo()->SetMinTrackHeight(250);
    EXPECT_EQ(other.MinMaxInfo()->MinTrackHeight(), 250);
    form->Placement->SetMinMaxInfo(*other.MinMaxInfo());
    EXPECT_EQ(form->Placement->MinMaxInfo()->MinTrackHeight(), 250);
    ShowUp(*form);
    QWidget* window = form->Widget();
    EXPECT_EQ(window->minimumHeight(), 250 - (form->Height() - window->height()));
    EXPECT_FALSE(form->Placement->PreventResize());
}

TEST_F(PlacementTest, DefaultSectionsFollowFormClassAndNames)
{
    TPlacedForm form(nullptr);
    EXPECT_EQ(DefaultPlacementSection(&form), "TPlacedForm");
    EXPECT_EQ(DefaultPlacementSection(form.Field), "TPlacedFormField");
    EXPECT_EQ(DefaultPlacementSection(form.Placement), "TPlacedForm.Placement");
    EXPECT_EQ(DefaultPlacementSection(nullptr), "");
}

TEST_F(PlacementTest, NewestHookFirstAndAHandledMessageNeverReachesTheControl)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    TEdit edit(&form);
    edit.SetParent(&form);
    std::vector<AnsiString> order;
    edit.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { order.push_back("edit"); };
    TWindowHook older(nullptr), newer(nullptr);
    older.BeforeMessage = [&](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == WM_LBUTTONDOWN)
            order.push_back("older");
    };
    older.AfterMessage = [&](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == WM_LBUTTONDOWN)
            order.push_back("older after");
    };
    bool swallow = false;
    newer.BeforeMessage = [&](TObject*, TMessage& msg, bool& handled) {
        if (msg.Msg != WM_LBUTTONDOWN)
            return;
        order.push_back("newer");
        EXPECT_EQ(msg.LParam, (4 << 16) | 3);
        handled = swallow;
    };
    Flush();
    const int before = HookedControlCount();
    older.SetWinControl(&edit);
    newer.SetWinControl(&edit);
    EXPECT_EQ(HookedControlCount(), before + 1);

    MouseButton(edit.Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 4));
    EXPECT_EQ(order, (std::vector<AnsiString>{"newer", "older", "edit", "older after"}));
    order.clear();
    swallow = true;
    MouseButton(edit.Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 4));
    EXPECT_EQ(order, (std::vector<AnsiString>{"newer"}));

    newer.SetActive(false);
    older.SetWinControl(nullptr);
    order.clear();
    MouseButton(edit.Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 4));
    EXPECT_EQ(order, (std::vector<AnsiString>{"edit"}));
    // The record without hooks goes on the next turn of the loop.
    EXPECT_EQ(HookedControlCount(), before + 1);
    Flush();
    EXPECT_EQ(HookedControlCount(), before);
}

TEST_F(PlacementTest, AHookLetsGoOfAControlThatIsFreed)
{
    Flush();
    const int before = HookedControlCount();
    auto edit = std::make_unique<TEdit>(nullptr);
    TWindowHook hook(nullptr);
    hook.SetWinControl(edit.get());
    EXPECT_EQ(hook.WinControl(), edit.get());
    EXPECT_EQ(HookedControlCount(), before + 1);
    edit.reset();
    EXPECT_EQ(hook.WinControl(), nullptr);
    Flush();
    EXPECT_EQ(HookedControlCount(), before);
}

namespace {

std::string HookStream(TWindowHook& hook, TWindowHook* ancestor = nullptr)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.Ancestor = ancestor;
    writer.WriteProperties(hook);
    return stream.Bytes();
}

} // namespace

TEST_F(PlacementTest, AHookOnItsOwnerFormIsStreamedAsIsFormAndReadBackOnItsNewOwner)
{
    TForm form(nullptr);
    auto* hook = new TWindowHook(&form);
    hook->SetWinControl(&form);
    const std::string isForm("\x06IsForm\x09\x00", 9);
    EXPECT_EQ(HookStream(*hook), isForm);

    TForm other(nullptr);
    auto* read = new TWindowHook(&other);
    TStringStream in(isForm);
    TReader(in).ReadProperties(*read);
    EXPECT_EQ(read->WinControl(), &other) << "True read with a form owner watches that form";
    EXPECT_TRUE(read->IsForm());

    // Only a form owner is taken: a hook owned by something else stays without a control.
    TComponent plain(nullptr);
    auto* unowned = new TWindowHook(&plain);
    TStringStream again(isForm);
    TReader(again).ReadProperties(*unowned);
    EXPECT_EQ(unowned->WinControl(), nullptr);
    EXPECT_EQ(HookStream(*unowned), std::string(1, '\0')) << "without an ancestor only True is written";

    // Against an ancestor, what differs from it is written, False included.
    TForm ancestorForm(nullptr);
    auto* ancestor = new TWindowHook(&ancestorForm);
    ancestor->SetWinControl(&ancestorForm);
    EXPECT_EQ(HookStream(*hook, ancestor), std::string(1, '\0'));
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    hook->SetWinControl(panel);
    EXPECT_FALSE(hook->IsForm());
    EXPECT_EQ(HookStream(*hook, ancestor), std::string("\x06IsForm\x08\x00", 9));
}

TEST_F(PlacementTest, ActivatingADisabledWindowDoesNothing)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 200, 100);
    TForm other(nullptr);
    other.SetBounds(0, 0, 100, 100);
    other.Show();
    Form.Show();
    ActivateWindow(&other, false);
    Flush();
    ASSERT_TRUE(other.Active());
    Form.SetEnabled(false);
    ActivateWindow(&Form, true);
    Flush();
    EXPECT_FALSE(Form.Active());
    Form.SetEnabled(true);
    ActivateWindow(&Form, true);
    Flush();
    EXPECT_TRUE(Form.Active());
}

TEST_F(PlacementTest, AMaximiseButtonADialogNeverHadDoesNotComeBack)
{
    auto form = MakeForm();
    form->SetBorderStyle(bsDialog);
    form->SetBorderIcons({biSystemMenu});
    form->Placement->SetPreventResize(true);
    form->Placement->SetPreventResize(false);
    EXPECT_FALSE(form->BorderIcons().Contains(biMaximize));
}

TEST_F(PlacementTest, AMainFormPlacedByTheWindowSystemOpensMaximisedUnlessAStateWasStored)
{
    {
        auto form = MakeForm();
        form->SetPosition(poDefault);
        ShowUp(*form);
        EXPECT_EQ(form->WindowState(), wsMaximized);
    }
    DeleteFile(IniPath());
    {
        auto form = MakeForm();
        ShowUp(*form);
        EXPECT_EQ(form->WindowState(), wsNormal) << "a form placed where it was designed";
    }
    DeleteFile(IniPath());
    {
        auto form = MakeForm();
        form->SetFormStyle(fsMDIForm);
        ShowUp(*form);
        EXPECT_EQ(form->WindowState(), wsMaximized) << "an MDI main form";
    }
    DeleteFile(IniPath());
    TIniFile(IniPath()).WriteInteger("TPlacedForm", "ShowCmd", SW_SHOWNORMAL);
    auto form = MakeForm();
    form->SetPosition(poDefault);
    ShowUp(*form);
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(PlacementTest, AFormMinimisedFromMaximisedComesBackMaximised)
{
    TForm* main = nullptr;
    App.CreateForm(main);
    {
        auto form = MakeForm();
        ShowUp(*form);
        form->SetWindowState(wsMaximized);
        form->SetWindowState(wsMinimized);
        Flush();
        form->Close();
        EXPECT_EQ(Read("Flags"), IntToStr(WPF_RESTORETOMAXIMIZED));
        EXPECT_EQ(Read("ShowCmd"), IntToStr(SW_SHOWMINIMIZED));
    }
    auto form = MakeForm();
    ShowUp(*form);
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_TRUE(form->Widget()->isMaximized());

    // Without the flag the form comes back to its normal place.
    TIniFile(IniPath()).WriteInteger("TPlacedForm", "Flags", 0);
    auto plain = MakeForm();
    ShowUp(*plain);
    EXPECT_EQ(plain->WindowState(), wsMinimized);
    EXPECT_FALSE(plain->Widget()->isMaximized());
    delete main;
}

// An MDI child keeps its bounds within the client area, its state and where it lies minimised.
TEST_F(PlacementTest, AnMDIChildComesBackToItsPlaceInTheClientAreaAndItsMinimisedPosition)
{
    TForm* main = nullptr;
    App.CreateForm(main);
    main->SetBounds(0, 0, 700, 500);
    main->SetFormStyle(fsMDIForm);
    ShowUp(*main);
    auto makeChild = [&] {
        auto form = MakeForm();
        form->SetFormStyle(fsMDIChild);
        ShowUp(*form);
        return form;
    };
    {
        auto child = makeChild();
        child->MDIFrame()->move(40, 50);
        child->SetMinimizedPosition(Point(120, 160));
        child->SetWindowState(wsMinimized);
        Flush();
        child->Close();
        EXPECT_EQ(Read("Flags"), IntToStr(WPF_SETMINPOSITION));
        EXPECT_EQ(Read("ShowCmd"), IntToStr(SW_SHOWMINIMIZED));
        EXPECT_EQ(Read("MinMaxPos"), "120,160,-1,-1");
        EXPECT_EQ(Read("NormPos"), "40,50,340,250") << "frame bounds within the client area";
    }
    {
        auto child = makeChild();
        EXPECT_EQ(child->WindowState(), wsMinimized);
        EXPECT_EQ(child->MDIFrame()->pos(), QPoint(120, 160));
        child->SetWindowState(wsNormal);
        Flush();
        EXPECT_EQ(child->BoundsRect(), Bounds(40, 50, 300, 200));
        child->SetWindowState(wsMaximized);
        Flush();
        child->Close();
        EXPECT_EQ(Read("Flags"), "0") << "only a minimised child sets its minimised position";
        EXPECT_EQ(Read("ShowCmd"), IntToStr(SW_SHOWMAXIMIZED));
    }
    auto child = makeChild();
    EXPECT_EQ(child->WindowState(), wsMaximized);
    EXPECT_TRUE(child->MDIFrame()->isMaximized());
    child->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(child->BoundsRect(), Bounds(40, 50, 300, 200));

    // Freed without being closed, a minimised child is saved as it was last seen.
    child->MDIFrame()->move(60, 70);
    child->SetWindowState(wsMinimized);
    child->MDIFrame()->move(90, 110);
    Flush();
    child.reset();
    EXPECT_EQ(Read("Visible"), "1");
    EXPECT_EQ(Read("Flags"), IntToStr(WPF_SETMINPOSITION));
    EXPECT_EQ(Read("MinMaxPos"), "90,110,-1,-1");
    EXPECT_EQ(Read("NormPos"), "60,70,360,270");
    delete main;
}

// The size limits hold for an MDI child's frame in the client area, as for a window.
TEST_F(PlacementTest, AnMDIChildsFrameKeepsItsSizeLimits)
{
    TForm* main = nullptr;
    App.CreateForm(main);
    main->SetBounds(0, 0, 700, 500);
    main->SetFormStyle(fsMDIForm);
    main->Show();
    auto child = MakeForm();
    child->SetFormStyle(fsMDIChild);
    child->Placement->MinMaxInfo()->SetMinTrackWidth(250);
    child->Placement->MinMaxInfo()->SetMaxTrackHeight(300);
    ShowUp(*child);
    QMdiSubWindow* frame = child->MDIFrame();
    frame->resize(100, 600);
    EXPECT_EQ(frame->size(), QSize(250, 300));

    child->SetWindowState(wsMinimized);
    Flush();
    EXPECT_LT(frame->width(), 250) << "a minimised frame is as small as its title";
    child->SetWindowState(wsNormal);
    Flush();

    child->Placement->MinMaxInfo()->SetMinTrackWidth(0);
    child->Placement->MinMaxInfo()->SetMaxTrackHeight(0);
    child->Placement->SetPreventResize(true);
    frame->resize(320, 240);
    EXPECT_EQ(frame->size(), QSize(250, 300)) << "a frozen child keeps the size it has";
    child->Placement->SetPreventResize(false);
    frame->resize(320, 240);
    EXPECT_EQ(frame->size(), QSize(320, 240));
    child.reset();
    delete main;
}

// Each border answer of a hit test, by the platform's number, sizes from its own edges; the
// client area, the caption and the answers around them size nothing.
TEST(WindowHookBorders, EachBorderAnswerSizesFromItsEdges)
{
    const std::pair<LRESULT, Qt::Edges> answers[] = {
        {10, Qt::LeftEdge},
        {11, Qt::RightEdge},
        {12, Qt::TopEdge},
        {13, Qt::TopEdge | Qt::LeftEdge},
        {14, Qt::TopEdge | Qt::RightEdge},
        {15, Qt::BottomEdge},
        {16, Qt::BottomEdge | Qt::LeftEdge},
        {17, Qt::BottomEdge | Qt::RightEdge},
        {-2, {}}, {-1, {}}, {0, {}}, {1, {}}, {2, {}}, {9, {}}, {18, {}},
    };
    for (const auto& [hit, edges] : answers)
        EXPECT_EQ(SizingEdgesOf(hit), edges) << "hit " << hit;
}

// A hook sees what the kit's own hooks rely on: the form's size limits before they go to the
// window manager (and the form keeps what the hook answered), a hit test before each press (an
// answer other than the client area keeps the press from the control), and a menu popping up.
TEST_F(PlacementTest, AHookAnswersTheSizeLimitsTheHitTestAndSeesMenusPopUp)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    TWindowHook limits(nullptr);
    limits.AfterMessage = [](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == HookMessages::WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(msg.LParam)->ptMaxTrackSize.X = 350;
    };
    limits.SetWinControl(&form);
    form.UpdateSizeLimits();
    form.Show();
    Flush();
    form.SetBounds(0, 0, 500, 200);
    Flush();
    EXPECT_EQ(form.Width(), 350);
    limits.SetWinControl(nullptr);
    form.UpdateSizeLimits();
    form.SetBounds(0, 0, 500, 200);
    Flush();
    EXPECT_EQ(form.Width(), 500);

    TPanel panel(&form);
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 50);
    int presses = 0;
    panel.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };
    LRESULT answer = HookMessages::HTCLIENT;
    LPARAM asked = 0;
    TWindowHook hits(nullptr);
    hits.BeforeMessage = [&](TObject*, TMessage& msg, bool& handled) {
        if (msg.Msg != HookMessages::WM_NCHITTEST)
            return;
        asked = msg.LParam;
        msg.Result = answer;
        handled = true;
    };
    hits.SetWinControl(&panel);
    Flush();
    const QPoint screen = panel.Widget()->mapToGlobal(QPoint(3, 4));
    MouseButton(panel.Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 4));
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(asked, (screen.y() << 16) | screen.x());
    answer = HookMessages::HTNOWHERE;
    MouseButton(panel.Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 4));
    EXPECT_EQ(presses, 1);

    TMainMenu menu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption("&Tiedosto");
    menu.Items()->Add(new TMenuItem(&form));
    menu.Items()->Add(file);
    file->Add(new TMenuItem(&form));
    form.SetMenu(&menu);
    std::vector<std::pair<WPARAM, LPARAM>> popups;
    TWindowHook menus(nullptr);
    menus.AfterMessage = [&](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == HookMessages::WM_INITMENUPOPUP)
            popups.emplace_back(msg.WParam, msg.LParam);
    };
    menus.SetWinControl(&form);
    file->SubMenu()->popup(QPoint(0, 0));
    Flush();
    file->SubMenu()->hide();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].first, reinterpret_cast<WPARAM>(file->SubMenu()));
    EXPECT_EQ(popups[0].second, 1);
}

// A frozen form's sizing borders answer "nowhere", whatever a newer hook said they were.
TEST_F(PlacementTest, AFrozenFormsSizingBordersDoNotRespond)
{
    auto form = MakeForm();
    ShowUp(*form);
    LRESULT seen = 0;
    TWindowHook recorder(nullptr);
    recorder.AfterMessage = [&](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == HookMessages::WM_NCHITTEST)
            seen = msg.Result;
    };
    recorder.SetWinControl(form.get());
    form->Placement->SetPreventResize(true);
    TWindowHook border(nullptr);
    border.AfterMessage = [](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == HookMessages::WM_NCHITTEST)
            msg.Result = HookMessages::HTBOTTOMRIGHT;
    };
    border.SetWinControl(form.get());
    MouseButton(form->Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(298, 198));
    EXPECT_EQ(seen, HookMessages::HTNOWHERE);
    form->Placement->SetPreventResize(false);
    MouseButton(form->Widget(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(298, 198));
    EXPECT_EQ(seen, HookMessages::HTBOTTOMRIGHT);
}

// The strings go through ReadString and WriteString, which a placement keeping them elsewhere
// replaces.
TEST_F(PlacementTest, APlacementCanKeepItsStringsElsewhere)
{
    class TMemoryPlacement : public TFormPlacement {
    public:
        using TFormPlacement::TFormPlacement;
        AnsiString ReadString(const AnsiString& key, const AnsiString& def, const AnsiString&) override
        {
            auto it = Values.find(key);
            return it == Values.end() ? def : it->second;
        }
        void WriteString(const AnsiString& key, const AnsiString& value, const AnsiString&) override { Values[key] = value; }
        std::map<AnsiString, AnsiString> Values;
    };
    TForm form(nullptr);
    auto* memory = new TMemoryPlacement(&form);
    memory->SetIniFileName("placement.ini");
    TFormPlacement& placement = *memory;
    placement.WriteString("Kieli", "suomi");
    EXPECT_EQ(placement.ReadString("Kieli", "-"), "suomi");
    EXPECT_EQ(memory->Values.size(), 1u);
    EXPECT_FALSE(FileExists(IniPath()));
}

// Maximised, a form takes the place and size its placement gives instead of the free screen, and
// is saved as maximised with the bounds it returns to.
TEST_F(PlacementTest, AMaximisedFormTakesThePlaceAndSizeItsPlacementGives)
{
    auto form = MakeForm();
    TWinMinMaxInfo* limits = form->Placement->MinMaxInfo();
    limits->SetMaxPosLeft(40);
    limits->SetMaxPosTop(30);
    limits->SetMaxSizeWidth(500);
    limits->SetMaxSizeHeight(400);
    ShowUp(*form);
    form->SetWindowState(wsMaximized);
    Flush();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), Bounds(40, 30, 500, 400));
    EXPECT_EQ(form->NormalBoundsRect(), Bounds(10, 10, 300, 200));
    form->Close();
    EXPECT_EQ(Read("ShowCmd"), "3");
    EXPECT_EQ(Read("NormPos"), "10,10,310,210");
    ShowUp(*form);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), Bounds(40, 30, 500, 400));
    form->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(10, 10, 300, 200));
}
