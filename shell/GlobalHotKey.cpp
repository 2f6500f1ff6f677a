#include "shell/GlobalHotKey.h"
#include "platform/services/HotKeys.h"

namespace {

// The one key each component registers on its own window.
constexpr int kHotKeyId = 0;

UINT ModifiersOf(TShortCut key)
{
    UINT modifiers = 0;
    if (key & scShift)
        modifiers |= MOD_SHIFT;
    if (key & scAlt)
        modifiers |= MOD_ALT;
    if (key & scCtrl)
        modifiers |= MOD_CONTROL;
    return modifiers;
}

} // namespace

TGlobalHotKey::TGlobalHotKey(TComponent* owner) : TComponent(owner)
{
    FWindow = AllocateHWnd([this](TMessage& message) { WndProc(message); });
}

TGlobalHotKey::~TGlobalHotKey()
{
    ReleaseKey();
    DeallocateHWnd(FWindow);
}

void TGlobalHotKey::SetEnabled(bool enabled)
{
    FEnabled = enabled;
    if (enabled)
        RegisterKey();
    else
        ReleaseKey();
}

void TGlobalHotKey::SetKey(TShortCut key)
{
    if (key == FKey)
        return;
    FKey = key;
    ReleaseKey();
    if (FEnabled)
        RegisterKey();
}

void TGlobalHotKey::Loaded()
{
    if (FEnabled)
        RegisterKey();
}

void TGlobalHotKey::RegisterKey()
{
    if (FRegistered)
        return;
    FRegistered = RegisterHotKey(FWindow, kHotKeyId, ModifiersOf(FKey), FKey & 0xFF);
    if (!FRegistered && HotKeyLastError() == ERROR_HOTKEY_ALREADY_REGISTERED && OnKeyTaken)
        OnKeyTaken(this);
}

void TGlobalHotKey::ReleaseKey()
{
    if (!FRegistered)
        return;
    UnregisterHotKey(FWindow, kHotKeyId);
    FRegistered = false;
}

void TGlobalHotKey::WndProc(TMessage& message)
{
    if (message.Msg == WM_HOTKEY && OnHotKey)
        OnHotKey(this);
}
