// Start-up work that waits for the first frame: none of it runs before a top-level window has
// painted, all of it runs once afterwards, in order, and work given later still runs.
#include "platform/services/FirstPaint.h"
#include "support/EventLoopWait.h"
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

namespace {

// Runs the loop until everything posted before this call has been handled: work wrongly queued
// by then has run.
void RunWhatIsQueued()
{
    bool reached = false;
    QTimer::singleShot(0, qApp, [&] { reached = true; });
    EXPECT_TRUE(fixture::RunUntil([&] { return reached; }));
}

// Counts the paint events a widget is given.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(FirstPaint, WorkWaitsForTheFirstFrameAndRunsOnceInOrder)
{
    std::string done;
    AfterFirstPaint([&] { done += "a"; });
    AfterFirstPaint([&] { done += "b"; });
    RunWhatIsQueued();
    EXPECT_EQ(done, "") << "ran before any window painted";

    QWidget window;
    window.resize(200, 100);
    window.show();
    EXPECT_TRUE(fixture::RunUntil([&] { return !done.empty(); }));
    EXPECT_EQ(done, "ab");

    const PaintCount later(window);
    window.update();
    ASSERT_TRUE(fixture::RunUntil([&] { return later.paints > 0; }));
    RunWhatIsQueued();
    EXPECT_EQ(done, "ab") << "ran again on a later paint";

    AfterFirstPaint([&] { done += "c"; });
    EXPECT_EQ(done, "ab") << "ran inside the call rather than from the loop";
    EXPECT_TRUE(fixture::RunUntil([&] { return done.size() >= 3; }));
    EXPECT_EQ(done, "abc");
}

} // namespace
