#include "platform/messages/Application.h"
#include "services/RecordingKeyGrabber.h"
#include "shell/GlobalHotKey.h"
#include <gtest/gtest.h>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr unsigned XShift = 1, XControl = 4, XAlt = 8;
constexpr unsigned F12 = 0xFFC9;

class GlobalHotKeyTest : public ::testing::Test {
protected:
    GlobalHotKeyTest() : saved(Application) { Application = &app; }
    ~GlobalHotKeyTest() override { Application = saved; }

    // Presses a key the way the X server reports it and lets the posted message arrive.
    int Press(const GrabbedKey& key)
    {
        int before = fired;
        HotKeyPressed(key);
        app.ProcessMessages();
        return fired - before;
    }

    TApplication* saved;
    TApplication app{nullptr};
    RecordingKeyGrabber grabber;
    int fired = 0;
};

} // namespace

TEST_F(GlobalHotKeyTest, ShortcutCodesBecomeTheirKeysAndModifiers)
{
    TGlobalHotKey hotKey(nullptr);
    struct Case {
        TShortCut key;
        GrabbedKey grabbed;
    } cases[] = {
        {123, {F12, 0}},                                    // F12, the setting's default
        {16507, {F12, XControl}},                           // Ctrl+F12, as the main window stores it
        {8192 + 'T', {'t', XShift}},
        {32768 + 16384 + 8192 + 'Q', {'q', XShift | XControl | XAlt}},
        {32768 + 0x70, {0xFFBE, XAlt}},                     // Alt+F1
        {16384 + 0x60, {0xFFB0, XControl}},                 // Ctrl+numpad 0
    };
    for (const auto& c : cases) {
        hotKey.SetKey(c.key);
        ASSERT_FALSE(grabber.grabbed.empty()) << c.key;
        EXPECT_EQ(grabber.grabbed.back(), c.grabbed) << c.key;
        EXPECT_TRUE(hotKey.Registered());
    }
}

TEST_F(GlobalHotKeyTest, EachPressOfTheRegisteredKeyRaisesOnHotKey)
{
    TGlobalHotKey hotKey(nullptr);
    hotKey.OnHotKey = [&](TObject* sender) {
        EXPECT_EQ(sender, &hotKey);
        ++fired;
    };
    hotKey.SetKey(16507);
    EXPECT_EQ(Press({F12, XControl}), 1);
    EXPECT_EQ(Press({F12, XControl}), 1);
    EXPECT_EQ(Press({F12, 0}), 0);
    EXPECT_EQ(Press({F12, XControl | XShift}), 0);
}

TEST_F(GlobalHotKeyTest, KeyZeroAsksForNothingAndARealKeyIsRegisteredAfterIt)
{
    TGlobalHotKey hotKey(nullptr);
    hotKey.Loaded();
    EXPECT_FALSE(hotKey.Registered());
    EXPECT_TRUE(grabber.grabbed.empty());
    hotKey.SetKey(123);
    EXPECT_TRUE(hotKey.Registered());
    EXPECT_TRUE(grabber.released.empty());
    hotKey.Loaded(); // already registered while the properties were set
    EXPECT_EQ(grabber.grabbed.size(), 1u);
}

TEST_F(GlobalHotKeyTest, TheSameKeyAgainChangesNothingAndEnabledReRegisters)
{
    TGlobalHotKey hotKey(nullptr);
    hotKey.OnHotKey = [&](TObject*) { ++fired; };
    hotKey.SetKey(123);
    hotKey.SetKey(123);
    EXPECT_EQ(grabber.grabbed.size(), 1u);
    EXPECT_TRUE(grabber.released.empty());

    hotKey.SetEnabled(false);
    EXPECT_FALSE(hotKey.Registered());
    ASSERT_EQ(grabber.released.size(), 1u);
    EXPECT_EQ(Press({F12, 0}), 0);
    hotKey.SetKey(124); // stored; registered only once enabled again
    EXPECT_EQ(grabber.grabbed.size(), 1u);

    hotKey.SetEnabled(true);
    ASSERT_EQ(grabber.grabbed.size(), 2u);
    EXPECT_EQ(grabber.grabbed[1], (GrabbedKey{0xFFCA, 0}));
    EXPECT_EQ(Press({0xFFCA, 0}), 1);
}

TEST_F(GlobalHotKeyTest, AKeyHeldElsewhereIsToldOnlyToItsOwnerAndNeverFires)
{
    grabber.result = GrabResult::Taken;
    TGlobalHotKey hotKey(nullptr);
    int taken = 0;
    hotKey.OnHotKey = [&](TObject*) { ++fired; };
    hotKey.OnKeyTaken = [&](TObject*) { ++taken; };
    EXPECT_NO_THROW(hotKey.SetKey(123));
    EXPECT_FALSE(hotKey.Registered());
    EXPECT_EQ(Press({F12, 0}), 0);
    EXPECT_EQ(taken, 1);

    // No display (or no such key) is no one's doing: nothing to tell.
    grabber.result = GrabResult::Unavailable;
    hotKey.SetKey(124);
    EXPECT_EQ(taken, 1);
}

TEST_F(GlobalHotKeyTest, FreeingTheComponentGivesTheKeyBack)
{
    {
        TGlobalHotKey hotKey(nullptr);
        hotKey.OnHotKey = [&](TObject*) { ++fired; };
        hotKey.SetKey(123);
        HotKeyPressed({F12, 0}); // queued for a window that is about to go
    }
    ASSERT_EQ(grabber.released.size(), 1u);
    EXPECT_EQ(grabber.released[0], (GrabbedKey{F12, 0}));
    app.ProcessMessages();
    EXPECT_EQ(fired, 0);

    TGlobalHotKey second(nullptr);
    second.SetKey(123);
    EXPECT_TRUE(second.Registered());
}

// Needs an X server and xdotool (run under xvfb-run): a real key press reaches OnHotKey, also
// with NumLock on.
TEST(GlobalHotKeyOnX11, ARealKeyPressRaisesOnHotKey)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display || std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no X display or no xdotool";
    TApplication* saved = Application;
    TApplication app(nullptr);
    Application = &app;
    int fired = 0;
    {
        TGlobalHotKey hotKey(nullptr);
        hotKey.OnHotKey = [&](TObject*) { ++fired; };
        hotKey.SetKey(16507);
        ASSERT_TRUE(hotKey.Registered());
        auto await = [&](int count) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (fired < count && std::chrono::steady_clock::now() < deadline) {
                app.ProcessMessages();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        };
        ASSERT_EQ(std::system("xdotool key ctrl+F12"), 0);
        await(1);
        EXPECT_EQ(fired, 1);
        ASSERT_EQ(std::system("xdotool key Num_Lock key ctrl+F12 key Num_Lock"), 0);
        await(2);
        EXPECT_EQ(fired, 2);
        // Plain F12 is not the key; the Ctrl+F12 after it shows that it was seen and let pass.
        ASSERT_EQ(std::system("xdotool key F12 key ctrl+F12"), 0);
        await(3);
        app.ProcessMessages();
        EXPECT_EQ(fired, 3);
    }
    Application = saved;
}
