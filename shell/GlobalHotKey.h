// TGlobalHotKey: one system-wide hot key. OnHotKey is raised on every press, whichever program
// has the focus. A key that can't be had never fires; OnKeyTaken tells the owner when that is
// because another program (such as a second copy of this one) holds it, while a desktop without
// global keys is not reported.
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
    TNotifyEvent OnKeyTaken;

private:
    void RegisterKey();
    void ReleaseKey();
    void WndProc(TMessage& message);

    HWND FWindow = 0;
    bool FEnabled = true;
    TShortCut FKey = 0;
    bool FRegistered = false;
};
