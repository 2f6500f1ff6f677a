// Every test binary runs in Helsinki time, without a display, with a private runtime folder,
// whatever the shell that started it had set.
#pragma once
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

inline void PrepareTestEnvironment()
{
    setenv("TZ", "Europe/Helsinki", 1);
    tzset();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string runtime = "/tmp/qex-test-runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    chmod(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
}
