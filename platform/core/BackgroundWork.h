// Work started on a thread of its own while the program goes on, and waited for by Wait or at
// the end, so that no thread outlives what it uses. Where no thread can be started nothing runs
// ahead: the work is then the caller's to do when it needs it.
#pragma once
#include <functional>
#include <thread>

class TBackgroundWork {
public:
    explicit TBackgroundWork(std::function<void()> work);
    ~TBackgroundWork();
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;

    // Returns once the work is done (at once when it never started).
    void Wait();

private:
    std::thread FThread;
};
