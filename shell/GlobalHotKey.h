// TGlobalHotKey: one system-wide hot key. OnHotKey is raised on every press, whichever program
// has the focus. A key that can't be had (taken by another program, or no X11 display) is not
// reported: the component then simply never fires.
#pragma once
#include "platform/core/Component.h"
#include "platform/forms/KeyCodes.h"
#include "platform/messages/Messages.h"

class TGlobalHotKey : public TComponent {
public:
    explicit TGlobalHotKey(TComponent* owner);
    ~TGlobalHotKey() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    // The class library's shortcut: virtual key + scShift / scCtrl / scAlt.
    TShortCut Key() const { return FKey; }
    void SetKey(TShortCut key);
    // Called once the owner has set the properties: registers the key when enabled.
    void Loaded();
    bool Registered() const { return FRegistered; }

    TNotifyEvent OnHotKey;

private:
    void RegisterKey();
    void ReleaseKey();
    void WndProc(TMessage& message);

    HWND FWindow = 0;
    bool FEnabled = true;
    TShortCut FKey = 0;
    bool FRegistered = false;
};
