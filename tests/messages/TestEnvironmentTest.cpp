#include <QGuiApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// The shared main() prepares the environment before the application starts. The ctest entry
// "TestEnvironment.WhateverTheShellSet" runs this case again under settings that would break it:
// no display, the X11 platform asked for and a runtime folder that does not exist.
TEST(TestEnvironment, HelsinkiTimeOffscreenAndPrivateRuntimeAndConfigurationFolders)
{
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    const char* zone = std::getenv("TZ");
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(std::string(zone), "Europe/Helsinki");

    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(runtime, nullptr);
    struct stat info {};
    ASSERT_EQ(stat(runtime, &info), 0) << runtime;
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "only the test's own user may use it";
    EXPECT_EQ(info.st_uid, getuid());

    // The registry file goes to the configuration folder: a private one, never the user's own.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    ASSERT_EQ(stat(config, &info), 0) << config;
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_NE(std::string(config), std::string(runtime));
}
