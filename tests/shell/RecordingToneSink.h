// A tone sink for tests: keeps every start and stop with the moment it came.
#pragma once
#include "platform/services/ToneSink.h"
#include <chrono>
#include <vector>

class RecordingToneSink : public ToneSink {
public:
    struct Event {
        double hertz; // 0 for a stop
        std::chrono::steady_clock::time_point at;
    };

    RecordingToneSink() { SetToneSink(this); }
    ~RecordingToneSink() override { SetToneSink(nullptr); }

    void StartTone(double hertz) override { events.push_back({hertz, std::chrono::steady_clock::now()}); }
    void StopTone() override { events.push_back({0, std::chrono::steady_clock::now()}); }

    // The pitches in order, 0 for each stop.
    std::vector<double> Sequence() const
    {
        std::vector<double> out;
        for (const auto& e : events)
            out.push_back(e.hertz);
        return out;
    }
    long long MillisecondsBetween(std::size_t from, std::size_t to) const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(events.at(to).at - events.at(from).at).count();
    }

    std::vector<Event> events;
};
