#include "platform/core/FileStamp.h"
#include "platform/core/Files.h"
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <algorithm>
#include <ctime>

namespace {

constexpr std::int64_t kSettledNanoseconds = 2'000'000'000;

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// The kernel's own wall clock, which stamps the files: a clock faked for the program (its tests
// run at chosen dates) must not make a fresh file look settled.
std::int64_t KernelNow()
{
    timespec now {};
    syscall(SYS_clock_gettime, CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

bool StampOfStatus(const struct stat& info, FileStamp& stamp)
{
    if (!S_ISREG(info.st_mode))
        return false;
    stamp = {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
    return true;
}

} // namespace

bool StampOfPath(const AnsiString& path, FileStamp& stamp)
{
    struct stat info {};
    return !path.empty() && ::stat(ToSystemPath(path).c_str(), &info) == 0 && StampOfStatus(info, stamp);
}

bool StampOfHandle(int handle, FileStamp& stamp)
{
    struct stat info {};
    return ::fstat(handle, &info) == 0 && StampOfStatus(info, stamp);
}

bool IsSoleNameOfFile(const AnsiString& path, const FileStamp& stamp)
{
    struct stat info {};
    return !path.empty() && ::lstat(ToSystemPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_nlink == 1 && info.st_dev == stamp.device && info.st_ino == stamp.inode;
}

bool StampSettled(const FileStamp& stamp)
{
    return KernelNow() - std::max(stamp.modified, stamp.changed) > kSettledNanoseconds;
}
