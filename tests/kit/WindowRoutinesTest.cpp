#include <QWidget> // Form.h keeps guarded widget pointers
#include "kit/KitCursors.h"
#include "kit/WindowRoutines.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/messages/Application.h"
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

void Flush()
{
    QCoreApplication::processEvents();
}

} // namespace

TEST(WindowRoutines, DiscardPendingMessageTakesTheOldestOfThatKindForThatWindowOnly)
{
    std::vector<std::pair<char, WPARAM>> delivered;
    HWND a = AllocateHWnd([&](TMessage& m) { delivered.push_back({'a', m.WParam}); });
    HWND b = AllocateHWnd([&](TMessage& m) { delivered.push_back({'b', m.WParam}); });
    PostMessage(a, WM_USER + 1, 1, 0);
    PostMessage(b, WM_USER + 1, 2, 0);
    PostMessage(a, WM_USER + 2, 3, 0);
    PostMessage(a, WM_USER + 1, 4, 0);
    DiscardPendingMessage(a, WM_USER + 1);
    DiscardPendingMessage(a, WM_USER + 7); // none of that kind: nothing goes
    Flush();
    EXPECT_EQ(delivered, (std::vector<std::pair<char, WPARAM>>{{'b', 2}, {'a', 3}, {'a', 4}}));

    // Nothing left to discard: later messages are untouched.
    delivered.clear();
    DiscardPendingMessage(a, WM_USER + 1);
    PostMessage(a, WM_USER + 1, 5, 0);
    Flush();
    EXPECT_EQ(delivered, (std::vector<std::pair<char, WPARAM>>{{'a', 5}}));
    DeallocateHWnd(a);
    DeallocateHWnd(b);
}

TEST(WindowRoutines, DiscardingAQuitKeepsTheProgramQuitting)
{
    TApplication app(nullptr);
    TApplication* saved = std::exchange(Application, &app);
    HWND window = AllocateHWnd([](TMessage&) {});
    PostMessage(window, WM_QUIT, 7, 0);
    DiscardPendingMessage(window, WM_QUIT);
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(app.ExitCode(), 7);
    DeallocateHWnd(window);
    Application = saved;
}

TEST(WindowRoutines, ThreadWindowActiveOnlyForTheThreadThatOwnsTheActiveWindow)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    EXPECT_FALSE(IsThreadWindowActive());
    form.Show();
    form.Activate();
    Flush();
    ASSERT_TRUE(form.Active());
    EXPECT_TRUE(IsThreadWindowActive());
    bool elsewhere = true;
    std::thread([&] { elsewhere = IsThreadWindowActive(); }).join();
    EXPECT_FALSE(elsewhere);
}

TEST(KitCursors, TheTwoExtraCursorsAreRegisteredUnderTheirNumbers)
{
    EXPECT_EQ(crKitHand, 14000);
    EXPECT_EQ(crKitDrag, 14001);
    RegisterKitCursors();
    EXPECT_TRUE(Screen->HasCursor(crKitHand));
    EXPECT_TRUE(Screen->HasCursor(crKitDrag));
    EXPECT_FALSE(Screen->HasCursor(static_cast<TCursor>(14002)));

    Screen->SetCursor(crKitHand);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    Screen->SetCursor(crKitDrag);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
