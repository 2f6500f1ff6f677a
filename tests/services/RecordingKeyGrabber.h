// A key grabber for tests: keeps every grab and release, and answers each grab with `result`.
#pragma once
#include "platform/services/HotKeys.h"
#include <vector>

class RecordingKeyGrabber : public KeyGrabber {
public:
    RecordingKeyGrabber() { SetKeyGrabber(this); }
    ~RecordingKeyGrabber() override { SetKeyGrabber(nullptr); }

    GrabResult Grab(const GrabbedKey& key) override
    {
        grabbed.push_back(key);
        return result;
    }
    void Ungrab(const GrabbedKey& key) override { released.push_back(key); }

    GrabResult result = GrabResult::Grabbed;
    std::vector<GrabbedKey> grabbed;
    std::vector<GrabbedKey> released;
};
