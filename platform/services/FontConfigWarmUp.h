// The system's font configuration, loaded on a thread of its own while the process connects to
// its display: parsing the configuration files and mapping the font caches takes several
// milliseconds, and the first text the main window draws would otherwise wait for them. Then the
// toolkit's list of the system's fonts, made on a thread while the main window is built.
#pragma once
#include "platform/core/BackgroundWork.h"

// Wait before the first text is measured, so that two threads never build the configuration side
// by side; where no thread can be started, the first text loads it as before.
class TFontConfigWarmUp : public TBackgroundWork {
public:
    TFontConfigWarmUp();
};

// Made once the application object exists and the configuration is loaded, and ended before the
// application object is: the toolkit guards its font list, so the first text measured meanwhile
// waits for the list instead of making it.
class TFontListWarmUp : public TBackgroundWork {
public:
    TFontListWarmUp();
};
