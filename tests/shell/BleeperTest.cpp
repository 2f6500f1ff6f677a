#include "platform/core/Exceptions.h"
#include "platform/messages/Application.h"
#include "platform/messages/Messages.h"
#include "platform/messages/Timer.h"
#include "shell/Bleeper.h"
#include "shell/RecordingToneSink.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

using Sequence = std::vector<double>;

class BleeperTest : public ::testing::Test {
protected:
    BleeperTest() : saved(Application) { Application = &app; }
    ~BleeperTest() override
    {
        NTFamily = true;
        Application = saved;
    }

    // The range error's exact text, or "(no error)".
    static AnsiString RangeErrorOf(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const ERangeError& e) {
            return e.Message;
        }
        return "(no error)";
    }

    TApplication* saved;
    TApplication app{nullptr};
    RecordingToneSink sink;
};

} // namespace

TEST_F(BleeperTest, BoundsRaiseTheirTextsBeforeAnySound)
{
    EXPECT_EQ(RangeErrorOf([] { Bleep(440, -2); }), "Bleeper: MSecs < -1");
    EXPECT_EQ(RangeErrorOf([] { Bleep(10, -2); }), "Bleeper: MSecs < -1");
    EXPECT_EQ(RangeErrorOf([] { Bleep(20, 0); }), "Bleeper: Freq < 37");
    EXPECT_EQ(RangeErrorOf([] { Bleep(36, 0); }), "Bleeper: Freq < 37");
    EXPECT_EQ(RangeErrorOf([] { Bleep(20001, 0); }), "Bleeper: Freq > 20000");
    EXPECT_EQ(RangeErrorOf([] { Bleep(65535, 0); }), "Bleeper: Freq > 20000");
    EXPECT_TRUE(sink.events.empty());

    EXPECT_EQ(RangeErrorOf([] { Bleep(37, 0); }), "(no error)");
    EXPECT_EQ(RangeErrorOf([] { Bleep(20000, 0); }), "(no error)");
    EXPECT_EQ(sink.Sequence(), (Sequence{37, 0, 20000, 0}));

    NTFamily = false;
    sink.events.clear();
    EXPECT_EQ(RangeErrorOf([] { Bleep(19, 0); }), "Bleeper: Freq < 20");
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(RangeErrorOf([] { Bleep(20, 0); }), "(no error)");
    EXPECT_EQ(RangeErrorOf([] { Bleep(20001, 0); }), "Bleeper: Freq > 20000");
    ASSERT_EQ(sink.events.size(), 2u);
    // The port path sounds what the timer divisor gives: 1193181 / (1193181 div 20).
    EXPECT_DOUBLE_EQ(sink.events[0].hertz, 1193181.0 / 59659);
}

TEST_F(BleeperTest, ZeroLengthStartsAndStopsAndMinusOneKeepsSoundingUntilNoSound)
{
    Bleep(440, 0);
    EXPECT_EQ(sink.Sequence(), (Sequence{440, 0}));

    sink.events.clear();
    Bleep(880, -1); // returns at once: the tone never blocks for the length of -1
    EXPECT_EQ(sink.Sequence(), (Sequence{880}));
    NoSound();
    EXPECT_EQ(sink.Sequence(), (Sequence{880, 0}));

    NTFamily = false;
    sink.events.clear();
    Bleep(1000, -1);
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_DOUBLE_EQ(sink.events[0].hertz, 1193181.0 / 1193);
    NoSound();
    EXPECT_EQ(sink.events.size(), 2u);
}

TEST_F(BleeperTest, TunesPlayTheirTonesInOrderForTheirLengths)
{
    BleepTune(1);
    EXPECT_EQ(sink.Sequence(), (Sequence{2093, 0, 1976, 0, 1857, 0}));
    for (std::size_t tone = 0; tone < 6; tone += 2)
        EXPECT_GE(sink.MillisecondsBetween(tone, tone + 1), 100) << "tone " << tone / 2;

    sink.events.clear();
    BleepTune(0);
    EXPECT_EQ(sink.Sequence(), (Sequence{1047, 0, 1109, 0, 1175, 0}));
    for (std::size_t tone = 0; tone < 6; tone += 2)
        EXPECT_GE(sink.MillisecondsBetween(tone, tone + 1), 100) << "tone " << tone / 2;

    sink.events.clear();
    BleepTune(2);
    EXPECT_EQ(sink.Sequence(), (Sequence{40, 0}));
    EXPECT_GE(sink.MillisecondsBetween(0, 1), 500);

    sink.events.clear();
    BleepTune(3);
    BleepTune(255);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(BleeperTest, WaitingForATuneKeepsTimersAndMessagesRunning)
{
    int ticks = 0;
    TTimer clock(nullptr);
    clock.SetInterval(20);
    clock.OnTimer = [&](TObject*) { ++ticks; };
    bool posted = false;
    HWND window = AllocateHWnd([&](TMessage&) { posted = true; });
    PostMessage(window, WM_USER, 0, 0);

    BleepTune(1);
    EXPECT_TRUE(posted);
    EXPECT_GT(ticks, 0);
    DeallocateHWnd(window);
}

TEST_F(BleeperTest, DelayEndsWhenTheProgramQuits)
{
    HWND window = AllocateHWnd([&](TMessage&) { app.Terminate(); });
    PostMessage(window, WM_USER, 0, 0);
    Bleep(440, 60 * 60 * 1000); // an hour's tone, cut short by quitting
    EXPECT_EQ(sink.Sequence(), (Sequence{440, 0}));
    DeallocateHWnd(window);
}
