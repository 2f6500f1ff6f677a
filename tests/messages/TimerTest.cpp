#include "platform/core/Exceptions.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

template <typename Pred>
void RunNestedLoopUntil(Pred done, int boundMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < boundMs)
        Application->ProcessMessages();
}

class TimerTest : public ::testing::Test {
protected:
    TimerTest() : saved(Application) { Application = &app; }
    ~TimerTest() override { Application = saved; }
    TApplication* saved;
    TApplication app{nullptr};
};

} // namespace

TEST_F(TimerTest, ANewTimerTicksByItselfOnceASecond)
{
    TTimer timer(nullptr);
    QElapsedTimer clock;
    clock.start();
    qint64 firstTick = -1;
    timer.OnTimer = [&](TObject*) {
        if (firstTick < 0)
            firstTick = clock.elapsed();
    };
    RunNestedLoopUntil([&] { return firstTick >= 0; });
    ASSERT_GE(firstTick, 0) << "a new timer is enabled";
    // A timer never ticks early by more than the system's coarse slack (5 %).
    EXPECT_GE(firstTick, 900);
}

TEST_F(TimerTest, FiresDuringANestedProcessMessagesLoop)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    TObject* sender = nullptr;
    timer.OnTimer = [&](TObject* s) { sender = s; ++ticks; };
    RunNestedLoopUntil([&] { return ticks >= 3; });
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(sender, &timer);
}

// A handler that shows a box runs a nested loop; the timer goes on ticking in it, as the
// platform's does (the alarm clock fires alarms due while a firing's warning is open).
TEST_F(TimerTest, TicksAgainInsideItsOwnHandlersNestedLoop)
{
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    int ticksInside = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks != 1)
            return;
        RunNestedLoopUntil([&] { return ticks >= 3; });
        ticksInside = ticks;
    };
    RunNestedLoopUntil([&] { return ticksInside > 0; });
    EXPECT_GE(ticksInside, 3);
}

TEST_F(TimerTest, ADisabledTimerStaysSilentUntilEnabledAgain)
{
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetEnabled(false);
    TTimer probe(nullptr); // a second timer shows the loop did run for a while
    probe.SetInterval(60);
    bool probed = false;
    probe.OnTimer = [&](TObject*) { probed = true; };
    RunNestedLoopUntil([&] { return probed; });
    EXPECT_TRUE(probed);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    RunNestedLoopUntil([&] { return ticks > 0; });
    EXPECT_GT(ticks, 0);
}

TEST_F(TimerTest, ATimerWithoutHandlerOrWithZeroIntervalDoesNothingHarmful)
{
    TTimer idle(nullptr);
    idle.SetInterval(1);
    TTimer zero(nullptr);
    int ticks = 0;
    zero.OnTimer = [&](TObject*) { ++ticks; };
    zero.SetInterval(0);
    TTimer probe(nullptr);
    probe.SetInterval(50);
    bool probed = false;
    probe.OnTimer = [&](TObject*) { probed = true; };
    RunNestedLoopUntil([&] { return probed; });
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, AnExceptionInOnTimerGoesToTheApplicationAndTheTimerKeepsRunning)
{
    int errors = 0;
    app.OnException = [&](TObject*, const std::exception&) { ++errors; };
    TTimer timer(nullptr);
    timer.SetInterval(5);
    timer.OnTimer = [](TObject*) { throw Exception("tick failed"); };
    RunNestedLoopUntil([&] { return errors >= 2; });
    EXPECT_GE(errors, 2);
}

TEST_F(TimerTest, AHandlerMayFreeItsOwnTimer)
{
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(5);
    int ticks = 0;
    timer->OnTimer = [&](TObject* s) {
        ++ticks;
        delete static_cast<TTimer*>(s);
    };
    TTimer probe(nullptr);
    probe.SetInterval(80);
    bool probed = false;
    probe.OnTimer = [&](TObject*) { probed = true; };
    RunNestedLoopUntil([&] { return probed; });
    EXPECT_EQ(ticks, 1);
}
