// Shared set-up of the socket tests: an application object for the message loop and a bounded
// wait that keeps the queue running.
#pragma once
#include "net/AsyncSocket.h"
#include "net/MessageWait.h"
#include "platform/messages/Application.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class SocketTest : public ::testing::Test {
protected:
    SocketTest() : saved(Application) { Application = &app; }
    ~SocketTest() override { Application = saved; }

    // Runs the message loop until `done` holds; false when `boundMs` passed first.
    template <typename Pred>
    bool PumpUntil(Pred done, int boundMs = 30000)
    {
        const auto end = MonotonicMs() + boundMs;
        while (!done()) {
            if (MonotonicMs() >= end)
                return false;
            WaitForMessageUntil(end);
        }
        return true;
    }
    // Runs the loop for `ms` whatever happens.
    void PumpFor(int ms)
    {
        const auto end = MonotonicMs() + ms;
        while (MonotonicMs() < end)
            WaitForMessageUntil(end);
    }

    TApplication* saved;
    TApplication app{nullptr};
};

// Records a socket's events in order, as short words, for checks of what came when.
struct EventLog {
    std::vector<std::string> events;
    void Attach(TCustomAsyncSocket& s)
    {
        s.OnSessionConnected = [this](TObject*, std::uint16_t e) { Add("connected", e); };
        s.OnSessionClosed = [this](TObject*, std::uint16_t e) { Add("closed", e); };
        s.OnDataSent = [this](TObject*, std::uint16_t e) { Add("sent", e); };
    }
    void Add(const std::string& what, int error)
    {
        events.push_back(error ? what + ":" + std::to_string(error) : what);
    }
    int Count(const std::string& what) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e == what || e.rfind(what + ":", 0) == 0;
        return n;
    }
    int IndexOf(const std::string& what) const
    {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (events[i] == what || events[i].rfind(what + ":", 0) == 0)
                return static_cast<int>(i);
        return -1;
    }
};
