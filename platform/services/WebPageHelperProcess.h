// The helper process that runs the browser engine for one view: started when the control needs a
// view and ended with it, so the engine's memory goes back to the system with its processes.
#pragma once
#include <QString>
#include <optional>
#include <sys/types.h>

struct WebPageHelper {
    pid_t pid = 0;
    int channel = -1; // our end of the socket pair; the helper has the other
};

// Starts "qex-browser" from beside the program; failure says why.
std::optional<WebPageHelper> StartWebPageHelper(QString& failure);
// Starts the helper program at this path.
std::optional<WebPageHelper> StartWebPageHelper(const QString& program, QString& failure);
// Closes our end, which ends the helper, and reaps it; one that lingers is killed.
void EndWebPageHelper(const WebPageHelper& helper);
