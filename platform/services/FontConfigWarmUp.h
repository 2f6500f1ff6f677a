// The system's font configuration, loaded on a thread of its own while the process connects to
// its display: parsing the configuration files and mapping the font caches takes several
// milliseconds, and the first text the main window draws would otherwise wait for them. Then the
// toolkit's list of the system's fonts, made on a thread while the main window is built.
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

// Made once the application object exists and the configuration is loaded, and ended before the
// application object is: the toolkit guards its font list, so the first text measured meanwhile
// waits for the list instead of making it.
class TFontListWarmUp {
public:
    TFontListWarmUp();
    ~TFontListWarmUp();
    TFontListWarmUp(const TFontListWarmUp&) = delete;
    TFontListWarmUp& operator=(const TFontListWarmUp&) = delete;

private:
    std::thread FThread;
};
