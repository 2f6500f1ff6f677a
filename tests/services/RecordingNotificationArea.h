// A notification area for tests: keeps every request and shows one icon while `available`.
#pragma once
#include "platform/services/NotifyIcon.h"
#include <string>
#include <vector>

class RecordingNotificationArea : public NotificationArea {
public:
    RecordingNotificationArea() { SetNotificationArea(this); }
    ~RecordingNotificationArea() override { SetNotificationArea(nullptr); }

    bool Request(unsigned message, const TNotifyIconData& data) override
    {
        requests.push_back({message, data});
        if (message == NIM_ADD) {
            if (!available || shown)
                return false;
            shown = true;
            return true;
        }
        if (message == NIM_DELETE) {
            bool was = shown;
            shown = false;
            return was;
        }
        return shown;
    }
    bool Available() const override { return available; }

    // The requests as "add", "modify" and "delete".
    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> kinds;
        for (const auto& r : requests)
            kinds.push_back(r.message == NIM_ADD ? "add" : r.message == NIM_MODIFY ? "modify" : "delete");
        return kinds;
    }

    struct Entry {
        unsigned message;
        TNotifyIconData data;
    };
    std::vector<Entry> requests;
    bool available = true;
    bool shown = false;
};
