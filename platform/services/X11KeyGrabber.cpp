#include "platform/services/X11KeyGrabber.h"
#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

constexpr unsigned kNumLockKeysym = 0xFF7F;
constexpr unsigned kCapsLockMask = XCB_MOD_MASK_LOCK;
// The modifiers a hot key is told apart by; lock states and mouse buttons are ignored.
constexpr unsigned kHotKeyModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

struct HeldKey {
    GrabbedKey key;
    std::vector<xcb_keycode_t> codes;
};

std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* symbols, unsigned keysym)
{
    std::vector<xcb_keycode_t> codes;
    if (xcb_keycode_t* found = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t* c = found; *c != XCB_NO_SYMBOL; ++c)
            codes.push_back(*c);
        std::free(found);
    }
    return codes;
}

} // namespace

struct X11KeyGrabber::Connection {
    xcb_connection_t* conn = nullptr;
    xcb_window_t root = 0;
    xcb_key_symbols_t* symbols = nullptr;
    unsigned numLockMask = XCB_MOD_MASK_2;
    QPointer<QSocketNotifier> notifier;
    std::vector<HeldKey> grabs;

    ~Connection()
    {
        delete notifier.data();
        if (symbols)
            xcb_key_symbols_free(symbols);
        if (conn)
            xcb_disconnect(conn);
    }

    // NumLock sits on whichever modifier the keyboard map puts it, usually Mod2.
    void FindNumLockMask()
    {
        std::vector<xcb_keycode_t> numLock = KeycodesOf(symbols, kNumLockKeysym);
        auto* reply = xcb_get_modifier_mapping_reply(conn, xcb_get_modifier_mapping(conn), nullptr);
        if (!reply)
            return;
        const int perModifier = reply->keycodes_per_modifier;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
        for (int modifier = 0; modifier < 8; ++modifier)
            for (int k = 0; k < perModifier; ++k)
                for (auto code : numLock)
                    if (code != 0 && codes[modifier * perModifier + k] == code)
                        numLockMask = 1u << modifier;
        std::free(reply);
    }

    std::vector<unsigned> LockVariants() const
    {
        return {0, kCapsLockMask, numLockMask, kCapsLockMask | numLockMask};
    }

    void UngrabCodes(const std::vector<xcb_keycode_t>& codes, unsigned modifiers)
    {
        for (auto code : codes)
            for (unsigned lock : LockVariants())
                xcb_ungrab_key(conn, code, root, static_cast<uint16_t>(modifiers | lock));
        // A round trip, so the key is free for others once we return, as a released hot key is.
        std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
    }

    bool GrabCodes(const std::vector<xcb_keycode_t>& codes, unsigned modifiers)
    {
        std::vector<xcb_void_cookie_t> cookies;
        for (auto code : codes)
            for (unsigned lock : LockVariants())
                cookies.push_back(xcb_grab_key_checked(conn, 1, root, static_cast<uint16_t>(modifiers | lock), code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        bool ok = true;
        // Every cookie is checked, so no error is left behind for the event queue.
        for (auto cookie : cookies) {
            if (xcb_generic_error_t* error = xcb_request_check(conn, cookie)) {
                ok = false;
                std::free(error);
            }
        }
        if (!ok)
            UngrabCodes(codes, modifiers);
        return ok;
    }

    void Handle(xcb_generic_event_t* event)
    {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_MAPPING_NOTIFY) {
            xcb_refresh_keyboard_mapping(symbols, reinterpret_cast<xcb_mapping_notify_event_t*>(event));
            return;
        }
        if (type != XCB_KEY_PRESS)
            return;
        auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
        const unsigned modifiers = press->state & kHotKeyModifiers;
        for (const auto& grab : grabs)
            for (auto code : grab.codes)
                if (code == press->detail && grab.key.modifiers == modifiers)
                    HotKeyPressed(grab.key);
    }

    // Replies read while checking requests can carry events along; those never wake the
    // notifier, so every call ends by taking what is queued.
    void Drain(bool readSocket)
    {
        while (xcb_generic_event_t* event = readSocket ? xcb_poll_for_event(conn) : xcb_poll_for_queued_event(conn)) {
            Handle(event);
            std::free(event);
        }
        if (xcb_connection_has_error(conn) && notifier)
            notifier->setEnabled(false);
    }
};

X11KeyGrabber::X11KeyGrabber() = default;
X11KeyGrabber::~X11KeyGrabber() = default;

X11KeyGrabber::Connection* X11KeyGrabber::Connect()
{
    if (FConnection && !xcb_connection_has_error(FConnection->conn))
        return FConnection.get();
    FConnection.reset();
    auto* app = QCoreApplication::instance();
    const char* display = std::getenv("DISPLAY");
    if (FUnavailable || !app || !display || !*display)
        return nullptr;
    int screenNumber = 0;
    auto connection = std::make_unique<Connection>();
    connection->conn = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection->conn)) {
        // No X server to talk to: hot keys stay unavailable for this run.
        FUnavailable = true;
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection->conn));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    connection->root = screens.data->root;
    connection->symbols = xcb_key_symbols_alloc(connection->conn);
    connection->FindNumLockMask();
    Connection* raw = connection.get();
    connection->notifier = new QSocketNotifier(xcb_get_file_descriptor(raw->conn), QSocketNotifier::Read, app);
    QObject::connect(raw->notifier, &QSocketNotifier::activated, raw->notifier, [raw] { raw->Drain(true); });
    FConnection = std::move(connection);
    return raw;
}

GrabResult X11KeyGrabber::Grab(const GrabbedKey& key)
{
    Connection* c = Connect();
    if (!c)
        return GrabResult::Unavailable;
    std::vector<xcb_keycode_t> codes = KeycodesOf(c->symbols, key.keysym);
    if (codes.empty())
        return GrabResult::Unavailable;
    const bool ok = c->GrabCodes(codes, key.modifiers);
    if (ok)
        c->grabs.push_back({key, codes});
    c->Drain(false);
    return ok ? GrabResult::Grabbed : GrabResult::Taken;
}

void X11KeyGrabber::Ungrab(const GrabbedKey& key)
{
    if (!FConnection)
        return;
    Connection* c = FConnection.get();
    for (auto it = c->grabs.begin(); it != c->grabs.end(); ++it) {
        if (it->key == key) {
            c->UngrabCodes(it->codes, key.modifiers);
            c->grabs.erase(it);
            break;
        }
    }
    c->Drain(false);
}
