// When a request has stopped making progress: nothing sent or received for the inactivity limit,
// or less than kMinimumBytes moved in a whole window, so that a server trickling a byte now and
// then can't hold a request (and the download behind it) for ever.
#pragma once
#include <cstdint>

class HttpTransferWatch {
public:
    static constexpr std::int64_t kMinimumBytes = 1024;

    int InactivityLimit() const { return FInactivityLimit; }
    void SetInactivityLimit(int milliseconds);
    int Window() const { return FWindow; }
    void SetWindow(int milliseconds);

    void Start(std::int64_t now);
    // `bytes` went over the network at `now`.
    void Moved(std::int64_t bytes, std::int64_t now);
    // True once the request counts as stalled; a window that moved enough starts the next one.
    bool Stalled(std::int64_t now);

private:
    int FInactivityLimit = 60000;
    int FWindow = 60000;
    std::int64_t FLastActivity = 0;
    std::int64_t FWindowStart = 0;
    std::int64_t FWindowBytes = 0;
};
