// Size limits as a real window manager sees them: the end-to-end tests run these under Xvfb with
// openbox, where the frame arrives after the window is shown and a request to resize can come
// from outside the program. Without a window manager (offscreen) they are skipped.
#include "forms/FormsFixture.h"
#include "kit/AppRoutines.h"
#include "kit/Placement.h"
#include "platform/core/IniFile.h"
#include "platform/forms/Form.h"
#include "support/ListingFixture.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <string>

namespace {

class WindowManagerLimitsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        if (QGuiApplication::platformName() != "xcb" || !std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display with a window manager";
    }

    // The form shown, framed, and left alone for a second, as a user would find it.
    void ShowAndSettle(TForm& form)
    {
        form.Show();
        Settle(1000);
    }
    static void Settle(int milliseconds)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
    }
    static std::string Run(const std::string& command)
    {
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe))
                out += buffer;
            pclose(pipe);
        }
        return out;
    }
    static std::string Window(TForm& form) { return std::to_string(form.Widget()->winId()); }
    // Another program asks the window manager for a new inner size.
    void ResizeFromOutside(TForm& form, int width, int height)
    {
        Run("xdotool windowsize " + Window(form) + " " + std::to_string(width) + " " + std::to_string(height));
        Settle(1000);
    }
    static std::string Property(TForm& form, const char* name) { return Run("xprop -id " + Window(form) + " " + name); }
    static std::string SizeLine(const char* what, QSize size)
    {
        return std::string("program specified ") + what + " size: " + std::to_string(size.width()) + " by " +
               std::to_string(size.height());
    }

    fixture::TempFolder Folder;
};

} // namespace

TEST_F(WindowManagerLimitsTest, AFrozenFormKeepsItsSizeAndOffersNoResizeOrMaximise)
{
    TForm form(nullptr);
    auto* placement = new TFormPlacement(&form);
    placement->SetIniFileName(Folder.Path() + "placement.ini");
    form.SetBounds(100, 100, 300, 200);
    placement->SetPreventResize(true);
    ShowAndSettle(form);
    const QSize inner = form.Widget()->size();
    ASSERT_NE(form.Widget()->frameGeometry().size(), inner) << "the window manager never framed the form";

    const std::string hints = Property(form, "WM_NORMAL_HINTS");
    EXPECT_NE(hints.find(SizeLine("minimum", inner)), std::string::npos) << hints;
    EXPECT_NE(hints.find(SizeLine("maximum", inner)), std::string::npos) << hints;
    const std::string actions = Property(form, "_NET_WM_ALLOWED_ACTIONS");
    EXPECT_NE(actions.find("_NET_WM_ACTION_MOVE"), std::string::npos) << actions;
    EXPECT_EQ(actions.find("_NET_WM_ACTION_RESIZE"), std::string::npos) << actions;
    EXPECT_EQ(actions.find("_NET_WM_ACTION_MAXIMIZE"), std::string::npos) << actions;

    ResizeFromOutside(form, 500, 400);
    EXPECT_EQ(form.Widget()->size(), inner);
}

TEST_F(WindowManagerLimitsTest, TrackingLimitsHoldAgainstARequestFromOutside)
{
    TForm form(nullptr);
    auto* placement = new TFormPlacement(&form);
    placement->SetIniFileName(Folder.Path() + "placement.ini");
    form.SetBounds(100, 100, 300, 300);
    placement->MinMaxInfo()->SetMinTrackWidth(250);
    placement->MinMaxInfo()->SetMaxTrackHeight(400);
    ShowAndSettle(form);
    ASSERT_NE(form.Widget()->frameGeometry().size(), form.Widget()->size()) << "the window manager never framed the form";

    ResizeFromOutside(form, 100, 600);
    EXPECT_EQ(form.Width(), 250);
    EXPECT_EQ(form.Height(), 400);
    const std::string hints = Property(form, "WM_NORMAL_HINTS");
    const QSize frame = form.Widget()->frameGeometry().size() - form.Widget()->size();
    EXPECT_NE(hints.find("program specified minimum size: " + std::to_string(250 - frame.width()) + " by "),
              std::string::npos)
        << hints;
    EXPECT_NE(hints.find(" by " + std::to_string(400 - frame.height()) + "\n"), std::string::npos) << hints;
}

// The window manager maximises over the free screen; a form whose placement gives another place
// is maximised there instead, and restored to where it was.
TEST_F(WindowManagerLimitsTest, AMaximisedFormTakesThePlaceItsPlacementGives)
{
    TForm form(nullptr);
    auto* placement = new TFormPlacement(&form);
    placement->SetIniFileName(Folder.Path() + "placement.ini");
    form.SetBounds(100, 100, 300, 300);
    placement->MinMaxInfo()->SetMaxPosLeft(40);
    placement->MinMaxInfo()->SetMaxPosTop(30);
    placement->MinMaxInfo()->SetMaxSizeWidth(500);
    placement->MinMaxInfo()->SetMaxSizeHeight(400);
    ShowAndSettle(form);
    form.SetWindowState(wsMaximized);
    Settle(1000);
    EXPECT_EQ(form.WindowState(), wsMaximized);
    EXPECT_EQ(form.BoundsRect(), Bounds(40, 30, 500, 400))
        << form.Left() << "," << form.Top() << " " << form.Width() << "x" << form.Height();
    form.SetWindowState(wsNormal);
    Settle(1000);
    EXPECT_EQ(form.BoundsRect(), Bounds(100, 100, 300, 300))
        << form.Left() << "," << form.Top() << " " << form.Width() << "x" << form.Height();
}

// An MDI main form opens maximised by the window manager, and its children are frames within it
// that the window manager never sees, placed where their placement says.
TEST_F(WindowManagerLimitsTest, AnMDIMainFormOpensMaximisedWithItsChildrenInside)
{
    TForm* main = nullptr;
    App.CreateForm(main);
    main->SetBounds(100, 100, 500, 400);
    main->SetFormStyle(fsMDIForm);
    auto* placement = new TFormPlacement(main);
    placement->SetIniFileName(Folder.Path() + "placement.ini");
    ShowAndSettle(*main);
    EXPECT_EQ(main->WindowState(), wsMaximized);
    const std::string state = Property(*main, "_NET_WM_STATE");
    EXPECT_NE(state.find("_NET_WM_STATE_MAXIMIZED_HORZ"), std::string::npos) << state;

    const AnsiString ini = Folder.Path() + "child.ini";
    TIniFile(ini).WriteString("TForm", "NormPos", "30,40,330,240");
    TIniFile(ini).WriteString("TForm", "MinMaxPos", "200,150,-1,-1");
    TIniFile(ini).WriteInteger("TForm", "Flags", WPF_SETMINPOSITION);
    TIniFile(ini).WriteInteger("TForm", "ShowCmd", SW_SHOWMINIMIZED);
    auto* child = new TForm(&App);
    child->SetFormStyle(fsMDIChild);
    (new TFormPlacement(child))->SetIniFileName(ini);
    ShowAndSettle(*child);
    EXPECT_EQ(child->Widget()->window(), main->Widget());
    EXPECT_EQ(child->WindowState(), wsMinimized);
    EXPECT_EQ(child->MDIFrame()->pos(), QPoint(200, 150));
    EXPECT_EQ(main->WindowState(), wsMaximized) << "a minimised child leaves its parent as it was";
    child->SetWindowState(wsNormal);
    Settle(200);
    EXPECT_EQ(child->BoundsRect(), Bounds(30, 40, 300, 200));
    delete child;
    delete main;
}
