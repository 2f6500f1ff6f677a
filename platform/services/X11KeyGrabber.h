// Key grabs on the X11 root window through a connection of our own, so the hot key works
// whichever Qt platform runs the windows. Every grab is taken for each NumLock and CapsLock
// state, or a hot key would stop working while either lock is on.
#pragma once
#include "platform/services/HotKeys.h"
#include <memory>

class X11KeyGrabber : public KeyGrabber {
public:
    X11KeyGrabber();
    ~X11KeyGrabber() override;
    // Unavailable without a display or for a key the keyboard lacks; Taken when another client
    // holds it.
    GrabResult Grab(const GrabbedKey& key) override;
    void Ungrab(const GrabbedKey& key) override;

private:
    struct Connection;
    Connection* Connect();

    std::unique_ptr<Connection> FConnection;
    bool FUnavailable = false;
};
