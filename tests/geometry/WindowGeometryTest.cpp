// Stored places and sizes that no screen can hold: every shown window stays on the screen and no
// larger than it, and a divided space keeps both its sides.
#include "app/MainWindowFixture.h"
#include "forms/FormsFixture.h"
#include "kit/Placement.h"
#include "platform/core/IniFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Splitter.h"
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <climits>

namespace {

TRect AvailableArea()
{
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return Bounds(area.x(), area.y(), area.width(), area.height());
}

void ExpectWithin(const TRect& frame, const TRect& area, const char* what)
{
    EXPECT_GE(frame.Left, area.Left) << what;
    EXPECT_GE(frame.Top, area.Top) << what;
    EXPECT_LE(frame.Right, area.Right) << what;
    EXPECT_LE(frame.Bottom, area.Bottom) << what;
    EXPECT_GT(frame.Width(), 0) << what;
    EXPECT_GT(frame.Height(), 0) << what;
}

using WindowGeometryTest = FormsTest;

// Under a window manager a window is framed, maximised and restored some time after it is asked
// to be; offscreen at once.
bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 30000)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    QCoreApplication::processEvents();
    return true;
}

TEST_F(WindowGeometryTest, AShownWindowStaysOnTheScreenWhateverBoundsItIsGiven)
{
    const TRect area = AvailableArea();
    struct Case {
        const char* what;
        int left, top, width, height;
    } cases[] = {
        {"too wide", 1, 1, 99999, 300},
        {"above the screen", 1, -5000, 400, 300},
        {"huge", 0, 0, 100000, 100000},
        {"right of and below the screen", area.Right + 10, area.Bottom + 10, 400, 300},
        {"at the ends of the integers", INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        form.SetBounds(c.left, c.top, c.width, c.height);
        form.Show();
        Flush();
        ExpectWithin(form.BoundsRect(), area, c.what);
        // Bounds given while it is shown are kept on the screen too.
        form.SetBounds(c.left, c.top, c.width, c.height);
        Flush();
        ExpectWithin(form.BoundsRect(), area, c.what);
    }

    // A place that fits is left as it is.
    TForm form(nullptr);
    form.SetBounds(area.Left + 30, area.Top + 40, 300, 200);
    form.Show();
    Flush();
    EXPECT_EQ(form.BoundsRect(), Bounds(area.Left + 30, area.Top + 40, 300, 200));
}

// A pane at the bottom, the bar above it and the rest above that, as the main window has them.
struct DividedForm {
    explicit DividedForm(int paneHeight)
    {
        form.SetBounds(10, 10, 400, 300);
        pane->SetParent(&form);
        pane->SetBounds(0, 200, 400, 100);
        pane->SetAlign(alBottom);
        bar->SetParent(&form);
        bar->SetBounds(0, 197, 400, 3);
        bar->SetAlign(alBottom);
        rest->SetParent(&form);
        rest->SetAlign(alClient);
        pane->SetHeight(paneHeight);
    }
    TForm form{nullptr};
    TRichEdit* pane = new TRichEdit(&form);
    TSplitter* bar = new TSplitter(&form);
    TPanel* rest = new TPanel(&form);
};

TEST_F(WindowGeometryTest, AStoredPaneSizeStaysWithinTheSpaceTheBarDivides)
{
    {
        // A negative size neither collapses the pane nor reads back as 0.
        DividedForm divided(-500);
        EXPECT_EQ(divided.pane->Height(), divided.bar->MinSize());
        divided.form.Show();
        Flush();
        EXPECT_EQ(divided.pane->Height(), divided.bar->MinSize());
        EXPECT_EQ(divided.rest->Height(), divided.form.ClientHeight() - divided.bar->MinSize() - 3);
    }
    {
        // A size beyond the window leaves the other side its minimum once the window is shown.
        DividedForm divided(99999);
        divided.form.Show();
        Flush();
        EXPECT_EQ(divided.pane->Height(), divided.form.ClientHeight() - 3 - divided.bar->MinSize());
        EXPECT_EQ(divided.rest->Height(), divided.bar->MinSize());
    }
    {
        // A size within the space is kept.
        DividedForm divided(120);
        divided.form.Show();
        Flush();
        EXPECT_EQ(divided.pane->Height(), 120);
    }
}

// Run under a window manager too (the end-to-end tests do): a maximised window's frame is not the
// frame it returns to, and the frame arrives only after the window is shown.
TEST_F(WindowGeometryTest, AFormClosedMaximisedComesBackToItsNormalPlaceEveryTime)
{
    fixture::TempFolder folder;
    const AnsiString ini = folder.Path() + "placement.ini";
    const TRect normal = Bounds(100, 120, 400, 300);
    for (int run = 0; run < 3; ++run) {
        TForm form(nullptr);
        auto* placement = new TFormPlacement(&form);
        placement->SetIniFileName(ini);
        form.SetBounds(10, 10, 300, 200);
        form.Show();
        if (run == 0) {
            ASSERT_TRUE(WaitFor([&] { return form.Widget()->frameGeometry() != form.Widget()->geometry(); }));
            form.SetBounds(normal.Left, normal.Top, normal.Width(), normal.Height());
            ASSERT_TRUE(WaitFor([&] { return form.BoundsRect() == normal; }));
            form.SetWindowState(wsMaximized);
        }
        ASSERT_TRUE(WaitFor([&] { return form.WindowState() == wsMaximized && form.Width() > normal.Width(); })) << run;
        EXPECT_EQ(form.NormalBoundsRect(), normal) << run;
        form.Close();
        EXPECT_EQ(TIniFile(ini).ReadString("TForm", "NormPos", ""), "100,120,500,420") << run;
    }
    // Restored from the maximised state, the form is where it was.
    TForm form(nullptr);
    auto* placement = new TFormPlacement(&form);
    placement->SetIniFileName(ini);
    form.Show();
    ASSERT_TRUE(WaitFor([&] { return form.WindowState() == wsMaximized; }));
    form.SetWindowState(wsNormal);
    EXPECT_TRUE(WaitFor([&] { return form.BoundsRect() == normal; })) << form.Left() << "," << form.Top() << " "
                                                                      << form.Width() << "x" << form.Height();
}

// The window system is told which title-bar buttons to draw: a dialog or a tool window has the
// close button alone, as the class library's have, and a form can leave buttons out.
TEST_F(WindowGeometryTest, TitleBarButtonsFollowTheBorderAndTheBorderIcons)
{
    auto buttons = [](TFormBorderStyle style, TBorderIcons icons) {
        TForm form(nullptr);
        form.SetBorderStyle(style);
        form.SetBorderIcons(icons);
        Qt::WindowFlags flags = form.Widget()->windowFlags();
        std::string shown;
        if (!flags.testFlag(Qt::CustomizeWindowHint))
            return std::string("the window system's");
        if (flags.testFlag(Qt::WindowMinimizeButtonHint))
            shown += "minimise ";
        if (flags.testFlag(Qt::WindowMaximizeButtonHint))
            shown += "maximise ";
        if (flags.testFlag(Qt::WindowCloseButtonHint))
            shown += "close";
        return shown;
    };
    const TBorderIcons all{biSystemMenu, biMinimize, biMaximize};
    EXPECT_EQ(buttons(bsSizeable, all), "the window system's");
    EXPECT_EQ(buttons(bsSizeable, {biSystemMenu, biMinimize}), "minimise close");
    EXPECT_EQ(buttons(bsSingle, {biSystemMenu}), "close");
    EXPECT_EQ(buttons(bsDialog, all), "close");
    EXPECT_EQ(buttons(bsSizeToolWin, all), "close");
    EXPECT_EQ(buttons(bsDialog, {}), "");
}

} // namespace

namespace app_test {
namespace {

TEST_F(MainWindowTest, AStoredPlaceOffTheScreenIsBroughtBackAndSavedSane)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;", "[Muut]", "OletusNäkymä=Normaali", "[Ulkoasu]", "Form.X=20",
                   "Form.Y=-5000", "Form.Leveys=99999", "Form.Korkeus=400", "Form.Jakaja=-500"});
    StartWindow();
    const TRect area = AvailableArea();
    ExpectWithin(MainForm->BoundsRect(), area, "main window");
    EXPECT_EQ(MainForm->TiedotText->Height(), MainForm->Jakaja->MinSize());
    MainForm->Close();

    TIniFile ini(folder.Path() + "QEX.INI");
    EXPECT_GE(ini.ReadInteger("Ulkoasu", "Form.Y", INT_MIN), area.Top);
    EXPECT_LE(ini.ReadInteger("Ulkoasu", "Form.Leveys", INT_MAX), area.Width());
    EXPECT_EQ(ini.ReadInteger("Ulkoasu", "Form.Jakaja", 0), MainForm->Jakaja->MinSize());
}

} // namespace
} // namespace app_test
