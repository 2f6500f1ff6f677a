// System-wide hot keys: RegisterHotKey and UnregisterHotKey over an X11 key grab. Each press of a
// registered key posts WM_HOTKEY (wParam = id, lParam = modifiers | virtual key << 16) to its
// window. Without an X11 display nothing can be registered, which callers see as a failed
// registration.
#pragma once
#include "platform/messages/Messages.h"

constexpr UINT MOD_ALT = 0x0001;
constexpr UINT MOD_CONTROL = 0x0002;
constexpr UINT MOD_SHIFT = 0x0004;
constexpr UINT MOD_WIN = 0x0008;

// The reason HotKeyLastError gives when another program (or another registration of ours)
// holds the key.
constexpr unsigned ERROR_HOTKEY_ALREADY_REGISTERED = 1409;

// False when the key has no X counterpart, another program (or another registration of ours)
// holds it, no display is there, or `window` already has a key under `id`.
bool RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtualKey);
bool UnregisterHotKey(HWND window, int id);
// Why the last RegisterHotKey failed: ERROR_HOTKEY_ALREADY_REGISTERED when the key is held, 0
// when it succeeded or global keys can't be had here at all.
unsigned HotKeyLastError();

// A key as the X server sees it: keysym plus modifier mask (Shift 1, Control 4, Mod1 8, Mod4 64).
struct GrabbedKey {
    unsigned keysym = 0;
    unsigned modifiers = 0;
    bool operator==(const GrabbedKey&) const = default;
};

// The X form of a registration, or keysym 0 when the virtual key has none.
GrabbedKey GrabbedKeyOf(UINT modifiers, UINT virtualKey);

enum class GrabResult { Grabbed, Taken, Unavailable };

// Takes keys for the whole display. The X11 one is used unless another is installed (tests).
class KeyGrabber {
public:
    virtual ~KeyGrabber() = default;
    // Taken: another client holds the key; Unavailable: no display, or no such key on it.
    virtual GrabResult Grab(const GrabbedKey& key) = 0;
    virtual void Ungrab(const GrabbedKey& key) = 0;
};
// Installs `grabber` (not owned); nullptr returns to the X11 one. Registrations are not moved.
void SetKeyGrabber(KeyGrabber* grabber);
// Called by the grabber when a grabbed key went down: posts WM_HOTKEY to its window.
void HotKeyPressed(const GrabbedKey& key);
