// Start-up work that waits for the first frame: none of it runs before a top-level window has
// painted, all of it runs once afterwards, in order, and work given later still runs.
#include "platform/services/FirstPaint.h"
#include "support/EventLoopWait.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

namespace {

void RunEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(FirstPaint, WorkWaitsForTheFirstFrameAndRunsOnceInOrder)
{
    std::string done;
    AfterFirstPaint([&] { done += "a"; });
    AfterFirstPaint([&] { done += "b"; });
    RunEventsFor(50);
    EXPECT_EQ(done, "") << "ran before any window painted";

    QWidget window;
    window.resize(200, 100);
    window.show();
    EXPECT_TRUE(fixture::RunUntil([&] { return !done.empty(); }));
    EXPECT_EQ(done, "ab");

    window.update();
    RunEventsFor(100);
    EXPECT_EQ(done, "ab") << "ran again on a later paint";

    AfterFirstPaint([&] { done += "c"; });
    EXPECT_EQ(done, "ab") << "ran inside the call rather than from the loop";
    EXPECT_TRUE(fixture::RunUntil([&] { return done.size() >= 3; }));
    EXPECT_EQ(done, "abc");
}

} // namespace
