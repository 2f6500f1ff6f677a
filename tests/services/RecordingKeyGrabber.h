// A key grabber for tests: keeps every grab and release, and grants grabs while `accept` holds.
#pragma once
#include "platform/services/HotKeys.h"
#include <vector>

class RecordingKeyGrabber : public KeyGrabber {
public:
    RecordingKeyGrabber() { SetKeyGrabber(this); }
    ~RecordingKeyGrabber() override { SetKeyGrabber(nullptr); }

    bool Grab(const GrabbedKey& key) override
    {
        grabbed.push_back(key);
        return accept;
    }
    void Ungrab(const GrabbedKey& key) override { released.push_back(key); }

    bool accept = true;
    std::vector<GrabbedKey> grabbed;
    std::vector<GrabbedKey> released;
};
