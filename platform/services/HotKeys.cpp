#include "platform/services/HotKeys.h"
#include "platform/services/VirtualKeys.h"
#include "platform/services/X11KeyGrabber.h"
#include <vector>

namespace {

struct Registration {
    HWND window;
    int id;
    UINT modifiers;
    UINT virtualKey;
    GrabbedKey key;
};

// Registrations of the user-interface thread, in order.
std::vector<Registration>& Registrations()
{
    static std::vector<Registration> registrations;
    return registrations;
}

KeyGrabber* installedGrabber = nullptr;
unsigned lastError = 0;

KeyGrabber& Grabber()
{
    if (installedGrabber)
        return *installedGrabber;
    static X11KeyGrabber x11;
    return x11;
}

} // namespace

GrabbedKey GrabbedKeyOf(UINT modifiers, UINT virtualKey)
{
    GrabbedKey key;
    key.keysym = KeysymOfVirtualKey(virtualKey);
    if (modifiers & MOD_SHIFT)
        key.modifiers |= 1;   // ShiftMask
    if (modifiers & MOD_CONTROL)
        key.modifiers |= 4;   // ControlMask
    if (modifiers & MOD_ALT)
        key.modifiers |= 8;   // Mod1Mask
    if (modifiers & MOD_WIN)
        key.modifiers |= 64;  // Mod4Mask
    return key;
}

bool RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtualKey)
{
    lastError = 0;
    GrabbedKey key = GrabbedKeyOf(modifiers, virtualKey);
    if (key.keysym == 0 || !IsWindow(window))
        return false;
    for (const auto& r : Registrations()) {
        if ((r.window == window && r.id == id) || r.key == key) {
            lastError = ERROR_HOTKEY_ALREADY_REGISTERED;
            return false;
        }
    }
    switch (Grabber().Grab(key)) {
    case GrabResult::Grabbed:
        Registrations().push_back({window, id, modifiers, virtualKey, key});
        return true;
    case GrabResult::Taken:
        lastError = ERROR_HOTKEY_ALREADY_REGISTERED;
        return false;
    default:
        return false;
    }
}

unsigned HotKeyLastError()
{
    return lastError;
}

bool UnregisterHotKey(HWND window, int id)
{
    auto& all = Registrations();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->window == window && it->id == id) {
            Grabber().Ungrab(it->key);
            all.erase(it);
            return true;
        }
    }
    return false;
}

void SetKeyGrabber(KeyGrabber* grabber)
{
    installedGrabber = grabber;
}

void HotKeyPressed(const GrabbedKey& key)
{
    for (const auto& r : Registrations())
        if (r.key == key)
            PostMessage(r.window, WM_HOTKEY, static_cast<WPARAM>(r.id),
                        static_cast<LPARAM>((r.modifiers & 0xFFFF) | (r.virtualKey << 16)));
}
