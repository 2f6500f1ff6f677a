#include "platform/messages/Application.h"
#include "platform/services/HotKeys.h"
#include "platform/services/VirtualKeys.h"
#include "platform/services/X11KeyGrabber.h"
#include "services/RecordingKeyGrabber.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <X11/keysym.h>
#include <map>

namespace {

class HotKeysTest : public ::testing::Test {
protected:
    HotKeysTest() : saved(Application)
    {
        Application = &app;
        window = AllocateHWnd([this](TMessage& m) { received.push_back(m); });
    }
    ~HotKeysTest() override
    {
        UnregisterHotKey(window, 0);
        UnregisterHotKey(window, 1);
        DeallocateHWnd(window);
        Application = saved;
    }

    TApplication* saved;
    TApplication app{nullptr};
    RecordingKeyGrabber grabber;
    HWND window = 0;
    std::vector<TMessage> received;
};

constexpr unsigned XShift = 1, XControl = 4, XAlt = 8;

} // namespace

TEST(VirtualKeys, KeysMapToTheirXKeysyms)
{
    EXPECT_EQ(KeysymOfVirtualKey(0x7B), 0xFFC9u); // F12
    EXPECT_EQ(KeysymOfVirtualKey(0x70), 0xFFBEu); // F1
    EXPECT_EQ(KeysymOfVirtualKey(0x87), 0xFFD5u); // F24
    EXPECT_EQ(KeysymOfVirtualKey('A'), unsigned('a'));
    EXPECT_EQ(KeysymOfVirtualKey('Z'), unsigned('z'));
    EXPECT_EQ(KeysymOfVirtualKey('0'), unsigned('0'));
    EXPECT_EQ(KeysymOfVirtualKey(0x60), 0xFFB0u); // numpad 0
    EXPECT_EQ(KeysymOfVirtualKey(0x69), 0xFFB9u); // numpad 9
    EXPECT_EQ(KeysymOfVirtualKey(0x2E), 0xFFFFu); // Delete
    EXPECT_EQ(KeysymOfVirtualKey(0x24), 0xFF50u); // Home
    EXPECT_EQ(KeysymOfVirtualKey(0x20), 0x20u);
    EXPECT_EQ(KeysymOfVirtualKey(0xBC), unsigned(','));
    for (unsigned none : {0x00u, 0x07u, 0x88u, 0xFFu, 0x1234u})
        EXPECT_EQ(KeysymOfVirtualKey(none), 0u) << none;
}

// Every virtual-key code, 0 to 255: the named keys as the platform numbers them, the runs of
// digits, letters, keypad digits and function keys, and nothing for every other code.
TEST(VirtualKeys, EveryCodeHasTheKeysymOfItsKeyOrNone)
{
    std::map<unsigned, unsigned> expected = {
        {0x03, XK_Break},     {0x08, XK_BackSpace},   {0x09, XK_Tab},          {0x0C, XK_Clear},
        {0x0D, XK_Return},    {0x10, XK_Shift_L},     {0x11, XK_Control_L},    {0x12, XK_Alt_L},
        {0x13, XK_Pause},     {0x14, XK_Caps_Lock},   {0x1B, XK_Escape},       {0x20, XK_space},
        {0x21, XK_Prior},     {0x22, XK_Next},        {0x23, XK_End},          {0x24, XK_Home},
        {0x25, XK_Left},      {0x26, XK_Up},          {0x27, XK_Right},        {0x28, XK_Down},
        {0x29, XK_Select},    {0x2A, XK_Print},       {0x2B, XK_Execute},      {0x2C, XK_Print},
        {0x2D, XK_Insert},    {0x2E, XK_Delete},      {0x2F, XK_Help},         {0x5B, XK_Super_L},
        {0x5C, XK_Super_R},   {0x5D, XK_Menu},        {0x6A, XK_KP_Multiply},  {0x6B, XK_KP_Add},
        {0x6C, XK_KP_Separator}, {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide},
        {0x90, XK_Num_Lock},  {0x91, XK_Scroll_Lock}, {0xA0, XK_Shift_L},      {0xA1, XK_Shift_R},
        {0xA2, XK_Control_L}, {0xA3, XK_Control_R},   {0xA4, XK_Alt_L},        {0xA5, XK_Alt_R},
        {0xBA, XK_semicolon}, {0xBB, XK_equal},       {0xBC, XK_comma},        {0xBD, XK_minus},
        {0xBE, XK_period},    {0xBF, XK_slash},       {0xC0, XK_grave},        {0xDB, XK_bracketleft},
        {0xDC, XK_backslash}, {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},
    };
    for (unsigned digit = 0; digit <= 9; ++digit) {
        expected[0x30 + digit] = XK_0 + digit;
        expected[0x60 + digit] = XK_KP_0 + digit;
    }
    for (unsigned letter = 0; letter < 26; ++letter)
        expected[0x41 + letter] = XK_a + letter;
    for (unsigned f = 0; f < 24; ++f)
        expected[0x70 + f] = XK_F1 + f;
    for (unsigned code = 0; code <= 0xFF; ++code) {
        const auto found = expected.find(code);
        EXPECT_EQ(KeysymOfVirtualKey(code), found == expected.end() ? 0u : found->second)
            << "virtual key 0x" << std::hex << code;
    }
}

TEST(VirtualKeys, ModifiersMapToTheXMasks)
{
    EXPECT_EQ(GrabbedKeyOf(0, 0x7B), (GrabbedKey{0xFFC9, 0}));
    EXPECT_EQ(GrabbedKeyOf(MOD_CONTROL, 0x7B), (GrabbedKey{0xFFC9, XControl}));
    EXPECT_EQ(GrabbedKeyOf(MOD_SHIFT | MOD_ALT, 'T'), (GrabbedKey{'t', XShift | XAlt}));
    EXPECT_EQ(GrabbedKeyOf(MOD_SHIFT | MOD_CONTROL | MOD_ALT | MOD_WIN, 'Q'), (GrabbedKey{'q', XShift | XControl | XAlt | 64}));
}

TEST_F(HotKeysTest, APressPostsWmHotKeyToTheRegisteredWindow)
{
    ASSERT_TRUE(RegisterHotKey(window, 0, MOD_CONTROL, 0x7B));
    ASSERT_EQ(grabber.grabbed.size(), 1u);
    EXPECT_EQ(grabber.grabbed[0], (GrabbedKey{0xFFC9, XControl}));

    HotKeyPressed(GrabbedKey{0xFFC9, 0});                  // plain F12: not ours
    HotKeyPressed(GrabbedKey{0xFFC9, XControl});
    EXPECT_TRUE(received.empty()) << "posted, not sent";
    app.ProcessMessages();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].Msg, WM_HOTKEY);
    EXPECT_EQ(received[0].WParam, 0u);
    EXPECT_EQ(received[0].LParam, LPARAM(MOD_CONTROL | (0x7B << 16)));

    EXPECT_TRUE(UnregisterHotKey(window, 0));
    ASSERT_EQ(grabber.released.size(), 1u);
    EXPECT_EQ(grabber.released[0], grabber.grabbed[0]);
    HotKeyPressed(GrabbedKey{0xFFC9, XControl});
    app.ProcessMessages();
    EXPECT_EQ(received.size(), 1u);
    EXPECT_FALSE(UnregisterHotKey(window, 0));
}

TEST_F(HotKeysTest, RegistrationFailsForTakenKeysUsedIdsAndKeysWithoutSymbol)
{
    // The reason tells a key someone holds from one that can't be had here at all.
    grabber.result = GrabResult::Taken;
    EXPECT_FALSE(RegisterHotKey(window, 0, 0, 0x7B));  // held by another program
    EXPECT_EQ(HotKeyLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
    grabber.result = GrabResult::Unavailable;
    EXPECT_FALSE(RegisterHotKey(window, 0, 0, 0x7B));  // no display
    EXPECT_EQ(HotKeyLastError(), 0u);
    grabber.result = GrabResult::Grabbed;
    EXPECT_FALSE(RegisterHotKey(window, 0, 0, 0));     // virtual key 0 has no key
    EXPECT_EQ(HotKeyLastError(), 0u);
    EXPECT_EQ(grabber.grabbed.size(), 2u);
    ASSERT_TRUE(RegisterHotKey(window, 0, 0, 0x7B));
    EXPECT_FALSE(RegisterHotKey(window, 0, MOD_SHIFT, 0x7A)); // id 0 is in use
    EXPECT_FALSE(RegisterHotKey(window, 1, 0, 0x7B));         // the same key twice
    EXPECT_EQ(HotKeyLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
    EXPECT_TRUE(RegisterHotKey(window, 1, MOD_SHIFT, 0x7B));
    EXPECT_FALSE(RegisterHotKey(0xDEAD, 2, MOD_ALT, 0x7B));   // no such window
}

TEST(X11KeyGrabber, WithoutADisplayNothingIsGrabbed)
{
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    X11KeyGrabber grabber;
    EXPECT_EQ(grabber.Grab(GrabbedKey{0xFFC9, 0}), GrabResult::Unavailable);
    grabber.Ungrab(GrabbedKey{0xFFC9, 0});
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
}

// Needs an X server (run under xvfb-run): a key that another client holds can't be registered,
// and every lock-state variant is taken and given back.
TEST(X11KeyGrabber, AKeyHeldByAnotherClientIsRefused)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no X display";
    int screenNumber = 0;
    xcb_connection_t* other = xcb_connect(nullptr, &screenNumber);
    ASSERT_FALSE(xcb_connection_has_error(other));
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(other));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(other);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 0xFFC8); // F11
    ASSERT_NE(codes, nullptr);
    auto cookie = xcb_grab_key_checked(other, 1, screens.data->root, XCB_MOD_MASK_CONTROL, codes[0],
                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    ASSERT_EQ(xcb_request_check(other, cookie), nullptr);

    X11KeyGrabber grabber;
    EXPECT_EQ(grabber.Grab(GrabbedKey{0xFFC8, XControl}), GrabResult::Taken);
    EXPECT_EQ(grabber.Grab(GrabbedKey{0xFFC8, XControl | XAlt}), GrabResult::Grabbed);

    // Once given back, every variant (CapsLock included) is free for the other client.
    grabber.Ungrab(GrabbedKey{0xFFC8, XControl | XAlt});
    auto again = xcb_grab_key_checked(other, 1, screens.data->root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_LOCK,
                                      codes[0], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    EXPECT_EQ(xcb_request_check(other, again), nullptr);
    std::free(codes);
    xcb_key_symbols_free(symbols);
    xcb_disconnect(other);
}
