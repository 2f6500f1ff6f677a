// Work for a window that has only just been shown waits until the window is up, runs at once for
// one that is up already, is not lost for one that never comes up, and goes with a window that is
// destroyed first.
#include "platform/forms/WhenWindowUp.h"
#include "support/EventLoopWait.h"
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Lets the event loop run for a while: long enough for a bound of 50 ms to pass.
void RunAWhile()
{
    bool passed = false;
    QTimer::singleShot(200, [&] { passed = true; });
    ASSERT_TRUE(fixture::RunUntil([&] { return passed; }));
}

// A native window that exists but isn't shown: not up.
std::unique_ptr<QWidget> MadeNotShown()
{
    auto window = std::make_unique<QWidget>();
    window->resize(200, 100);
    window->winId();
    return window;
}

TEST(WhenWindowUp, WorkWaitsForTheWindowToComeUpAndRunsAtOnceWhenItIs)
{
    const auto window = MadeNotShown();
    ASSERT_FALSE(window->windowHandle()->isExposed());
    int runs = 0;
    WhenWindowUp(window.get(), [&] { ++runs; });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0);

    window->show();
    ASSERT_TRUE(fixture::RunUntil([&] { return runs > 0; })) << "the window came up; the work never ran";
    EXPECT_TRUE(window->windowHandle()->isExposed());

    WhenWindowUp(window.get(), [&] { ++runs; });
    EXPECT_EQ(runs, 2);
    RunAWhile();
    EXPECT_EQ(runs, 2) << "each work runs once";
}

TEST(WhenWindowUp, AWindowThatNeverComesUpGetsTheWorkAfterTheBoundAndADestroyedOneNever)
{
    const auto neverShown = MadeNotShown();
    bool ran = false;
    WhenWindowUp(neverShown.get(), [&] { ran = true; }, 50);
    EXPECT_TRUE(fixture::RunUntil([&] { return ran; }));

    auto destroyed = MadeNotShown();
    bool ranForDestroyed = false;
    WhenWindowUp(destroyed.get(), [&] { ranForDestroyed = true; }, 50);
    destroyed.reset();
    RunAWhile();
    EXPECT_FALSE(ranForDestroyed);
}

} // namespace
