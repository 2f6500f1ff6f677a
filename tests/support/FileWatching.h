// What the process holds of the kernel's file watching, and files left alone long enough to be
// told apart by their times alone.
#pragma once
#include "platform/core/FileStamp.h"
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace fixture {

// Every open watch instance makes the process's end wait for the kernel to retire it.
inline int OpenWatchInstances()
{
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code ignored;
        count += std::filesystem::read_symlink(entry.path(), ignored).string() == "anon_inode:inotify";
    }
    return count;
}

// False when the file's times did not settle within half a minute.
inline bool WaitUntilSettled(const std::string& path)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    FileStamp stamp;
    while (!(StampOfPath(path, stamp) && StampSettled(stamp))) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace fixture
