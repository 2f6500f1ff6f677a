// Stored places and sizes that no screen can hold: every shown window stays on the screen and no
// larger than it, and a divided space keeps both its sides.
#include "app/MainWindowFixture.h"
#include "forms/FormsFixture.h"
#include "platform/core/IniFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Splitter.h"
#include <QGuiApplication>
#include <QScreen>
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
