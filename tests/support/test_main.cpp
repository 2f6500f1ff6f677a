#include "support/TestEnvironment.h"
#include <gtest/gtest.h>

// Shared entry of the test binaries that need no QApplication.
int main(int argc, char** argv)
{
    PrepareTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
