#include <gtest/gtest.h>

// Shared entry of every test binary; folders that need a QApplication create one in their fixtures.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
