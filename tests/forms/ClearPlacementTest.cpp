// A window that stays on top and shows while a box runs is put beside the box, where there is
// room, so neither covers the other: the nearest side that fits on the screen, nothing when it is
// clear already or fits nowhere.
#include "FormsFixture.h"
#include "platform/forms/ClearPlacement.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"
#include <QScreen>
#include <QWidget>

namespace {

const QRect kScreen(0, 0, 1280, 1024);

TEST(PlaceClearOf, ACentredWindowGoesBelowACentredBoxAndStaysOnTheScreen)
{
    const QRect box(440, 412, 400, 200);
    const QRect notice(469, 362, 342, 300);
    const auto place = PlaceClearOf(notice, box, kScreen, 8);
    ASSERT_TRUE(place);
    EXPECT_EQ(*place, QPoint(469, 620));
    EXPECT_FALSE(QRect(*place, notice.size()).intersects(box));
    EXPECT_TRUE(kScreen.contains(QRect(*place, notice.size())));
}

TEST(PlaceClearOf, TheNearestSideThatFitsWins)
{
    // No room below a box at the bottom: above it.
    EXPECT_EQ(PlaceClearOf(QRect(100, 800, 300, 200), QRect(0, 824, 1280, 200), kScreen, 8), QPoint(100, 616));
    // A tall box filling the height: beside it, on the nearer side, pulled onto the screen.
    EXPECT_EQ(PlaceClearOf(QRect(560, -50, 300, 200), QRect(500, 0, 200, 1024), kScreen, 8), QPoint(708, 0));
    EXPECT_EQ(PlaceClearOf(QRect(420, 100, 300, 200), QRect(500, 0, 200, 1024), kScreen, 8), QPoint(192, 100));
}

TEST(PlaceClearOf, NothingWhenClearAlreadyOrWhenItFitsNowhere)
{
    EXPECT_FALSE(PlaceClearOf(QRect(0, 0, 300, 200), QRect(440, 412, 400, 200), kScreen, 8));
    // Touching edges do not overlap.
    EXPECT_FALSE(PlaceClearOf(QRect(140, 412, 300, 200), QRect(440, 412, 400, 200), kScreen, 8));
    // A full-screen window stays where it is.
    EXPECT_FALSE(PlaceClearOf(kScreen, QRect(440, 412, 400, 200), kScreen, 8));
}

using NoticeUnderBox = FormsTest;

TEST_F(NoticeUnderBox, ANoticeShownWhileABoxRunsMovesBesideItAndTheBoxStaysActive)
{
    TForm notice(nullptr);
    notice.SetFormStyle(fsStayOnTop);
    notice.SetPosition(poScreenCenter);
    notice.SetClientWidth(200);
    notice.SetClientHeight(100);
    QRect boxFrame;
    Answers.push_back([&](ModalBox& box) {
        QWidget* boxWindow = box.Form()->Widget();
        Flush();
        notice.Show();
        Flush();
        boxFrame = boxWindow->frameGeometry();
        EXPECT_FALSE(notice.Widget()->frameGeometry().intersects(boxFrame))
            << "box at " << boxFrame.x() << "," << boxFrame.y() << "; notice at " << notice.Left() << ","
            << notice.Top();
        const QRect area = boxWindow->screen()->availableGeometry();
        EXPECT_TRUE(area.contains(notice.Widget()->frameGeometry()));
        EXPECT_EQ(QApplication::activeWindow(), boxWindow);
        box.Press("OK");
    });
    MessageDlg("Lisätäänkö hälytyksiin?"_a, mtConfirmation, {mbOK});
    EXPECT_FALSE(boxFrame.isEmpty());
}

} // namespace
