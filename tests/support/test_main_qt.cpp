#include "support/TestEnvironment.h"
#include <QApplication>
#include <gtest/gtest.h>

// Entry of test binaries that drive timers, sockets or windows: one QApplication for all cases.
int main(int argc, char** argv)
{
    PrepareTestEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
