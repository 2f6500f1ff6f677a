// The one application object a benchmark of windows needs, made on first use in the test
// environment (offscreen, Helsinki time).
#pragma once
#include "support/TestEnvironment.h"
#include <QApplication>

inline void EnsureQt()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        PrepareTestEnvironment();
        return new QApplication(argc, argv);
    }();
    (void)app;
}
