// The system's font configuration, loaded on a thread of its own while the process connects to
// its display: parsing the configuration files and mapping the font caches takes several
// milliseconds, and the first text the main window draws would otherwise wait for them.
#pragma once
#include <thread>

class TFontConfigWarmUp {
public:
    // Starts loading; where no thread can be started, the first text loads it as before.
    TFontConfigWarmUp();
    // Waits, so that no thread outlives the process's own objects.
    ~TFontConfigWarmUp();
    TFontConfigWarmUp(const TFontConfigWarmUp&) = delete;
    TFontConfigWarmUp& operator=(const TFontConfigWarmUp&) = delete;

    // Returns once the configuration is loaded; call it before the first text is measured, so
    // that two threads never build the configuration side by side.
    void Wait();

private:
    std::thread FThread;
};
