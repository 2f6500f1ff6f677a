#include <QWidget> // MenuItem.h names QWidget without declaring it
#include "platform/forms/MenuItem.h"
#include "platform/forms/PopupMenu.h"
#include "platform/messages/Application.h"
#include "services/RecordingNotificationArea.h"
#include "shell/TrayIcon.h"
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

QImage Solid(Qt::GlobalColor color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest() : saved(Application)
    {
        Application = &app;
        TIcon icon;
        icon.SetImage(Solid(Qt::red));
        tray.SetIcon(icon);
        tray.OnClick = [this](TObject*, TMouseButton button, TShiftState shift, int, int) {
            events.push_back(std::string("click ") + Name(button));
            EXPECT_TRUE(shift.Contains(button == mbLeft ? ssLeft : ssRight));
        };
        tray.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
            events.push_back(std::string("down ") + Name(button));
        };
        tray.OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int, int) {
            events.push_back(std::string("up ") + Name(button));
        };
        tray.OnDblClick = [this](TObject*) { events.push_back("double"); };
    }
    ~TrayIconTest() override { Application = saved; }

    static const char* Name(TMouseButton button)
    {
        return button == mbLeft ? "left" : button == mbRight ? "right" : "middle";
    }
    // The colour of the icon last handed to the notification area.
    QColor ColourShown() const
    {
        return area.requests.back().data.hIcon.pixmap(16, 16).toImage().pixelColor(8, 8);
    }
    void Mouse(UINT message) { SendMessage(tray.Handle(), WM_TRAYICON, 0, static_cast<LPARAM>(message)); }

    TApplication* saved;
    TApplication app{nullptr};
    RecordingNotificationArea area;
    TTrayIcon tray{nullptr};
    std::vector<std::string> events;
};

} // namespace

TEST_F(TrayIconTest, ALeftClickRaisesOnClickOnceThenOnMouseUp)
{
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"down left", "click left", "up left"}));

    // A release without a press on the icon is no click.
    events.clear();
    Mouse(WM_LBUTTONUP);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"up left", "up right"}));

    // A double click: the event, then a press; the release after it is no second click.
    events.clear();
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"double", "down left", "up left"}));

    events.clear();
    tray.SetEnabled(false);
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    EXPECT_TRUE(events.empty());
}

TEST_F(TrayIconTest, ARightClickOpensThePopupMenuInsteadOfOnClickWhileActive)
{
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"down right", "click right", "up right"}));

    events.clear();
    auto* menu = new TPopupMenu(nullptr);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    tray.SetPopupMenu(menu);
    tray.SetActive(false); // not active: no menu, the click goes to OnClick
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(popups, 0);
    events.clear();
    tray.SetActive(true);
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu->PopupComponent(), &tray);
    EXPECT_EQ(events, (std::vector<std::string>{"down right", "up right"}));

    delete menu; // the tray hears of it and no longer shows it
    EXPECT_EQ(tray.PopupMenu(), nullptr);
    events.clear();
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"down right", "click right", "up right"}));
}

TEST_F(TrayIconTest, TheIconShowsOnlyAfterLoadedAndFollowsActive)
{
    EXPECT_TRUE(area.requests.empty());
    tray.SetHint("QEX 2000");
    EXPECT_TRUE(area.requests.empty()) << "not before Loaded";
    tray.Loaded();
    EXPECT_TRUE(tray.Added());
    EXPECT_EQ(area.Kinds(), (std::vector<std::string>{"delete", "add"}));
    const TNotifyIconData& added = area.requests.back().data;
    EXPECT_EQ(added.cbSize, 88u);
    EXPECT_EQ(added.Wnd, tray.Handle());
    EXPECT_EQ(added.uID, 0u);
    EXPECT_EQ(added.uFlags, 7u);
    EXPECT_EQ(added.uCallbackMessage, 0xB054u);
    EXPECT_EQ(added.szTip, "QEX 2000");
    EXPECT_FALSE(added.hIcon.isNull());

    area.requests.clear();
    tray.SetActive(false);
    EXPECT_FALSE(tray.Added());
    tray.SetActive(true);
    EXPECT_TRUE(tray.Added());
    EXPECT_EQ(area.Kinds(), (std::vector<std::string>{"delete", "delete", "add"}));

    area.requests.clear();
    TIcon empty;
    tray.SetIcon(empty); // an empty icon is never shown
    EXPECT_FALSE(tray.Added());
    EXPECT_EQ(area.Kinds(), (std::vector<std::string>{"delete"}));
}

TEST_F(TrayIconTest, TheTipIsTheShortHintCutTo63Characters)
{
    tray.Loaded();
    std::string long70(70, 'x');
    tray.SetHint(long70);
    EXPECT_EQ(area.Kinds().back(), "modify");
    EXPECT_EQ(area.requests.back().data.szTip, std::string(63, 'x'));
    tray.SetHint("Lyhyt|" + long70);
    EXPECT_EQ(area.requests.back().data.szTip, "Lyhyt");
}

TEST_F(TrayIconTest, WithoutANotificationAreaTheIconIsActiveButNotAdded)
{
    area.available = false;
    EXPECT_FALSE(TTrayIcon::TrayAvailable());
    tray.Loaded();
    EXPECT_TRUE(tray.Active());
    EXPECT_FALSE(tray.Added());
}

TEST_F(TrayIconTest, AnimationShowsTheFramesAndStopsWhenTheFramesGo)
{
    tray.SetAnimated(true); // no frames: nothing to animate
    EXPECT_FALSE(tray.Animated());
    TIconList frames;
    TIcon frame;
    frame.SetImage(Solid(Qt::green));
    frames.Add(&frame);
    frame.SetImage(Solid(Qt::blue));
    frames.Add(&frame);
    tray.SetIcons(frames);
    tray.Loaded();
    tray.SetInterval(1);
    tray.SetAnimated(true);
    EXPECT_TRUE(tray.Animated());
    EXPECT_EQ(ColourShown(), QColor(Qt::green));
    for (int i = 0; i < 200 && ColourShown() == QColor(Qt::green); ++i)
        app.HandleMessage();
    EXPECT_EQ(ColourShown(), QColor(Qt::blue));

    tray.Icons()->Clear();
    EXPECT_FALSE(tray.Animated());
    EXPECT_EQ(ColourShown(), QColor(Qt::red));
}

TEST_F(TrayIconTest, ADoubleClickChoosesTheMenusDefaultItem)
{
    TPopupMenu menu(nullptr);
    auto* first = new TMenuItem(&menu);
    auto* chosen = new TMenuItem(&menu);
    menu.Items()->Add(first);
    menu.Items()->Add(chosen);
    std::vector<std::string> clicked;
    first->OnClick = [&](TObject*) { clicked.push_back("first"); };
    chosen->OnClick = [&](TObject*) { clicked.push_back("chosen"); };
    tray.SetPopupMenu(&menu);

    // No default item: the double click is the component's event.
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ(events, (std::vector<std::string>{"double", "down left"}));
    EXPECT_TRUE(clicked.empty());

    events.clear();
    chosen->SetDefault(true);
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ(clicked, (std::vector<std::string>{"chosen"}));
    EXPECT_EQ(events, (std::vector<std::string>{"down left"}));

    // A hidden default item does not count, nor does a menu of an icon that is not active.
    events.clear();
    clicked.clear();
    chosen->SetVisible(false);
    Mouse(WM_LBUTTONDBLCLK);
    chosen->SetVisible(true);
    tray.SetActive(false);
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(clicked.empty());
    EXPECT_EQ(std::count(events.begin(), events.end(), "double"), 2);
}

TEST_F(TrayIconTest, TheMenuOpensOnlyWhenItPopsUpByItselfAndEndsAMouseCapture)
{
    TPopupMenu menu(nullptr);
    int popups = 0;
    menu.OnPopup = [&](TObject*) { ++popups; };
    tray.SetPopupMenu(&menu);
    menu.SetAutoPopup(false);
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"down right", "click right", "up right"}));

    // A window that holds the mouse (a drag under way) lets go before the menu opens.
    menu.SetAutoPopup(true);
    QWidget dragging;
    dragging.show();
    dragging.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &dragging);
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}
