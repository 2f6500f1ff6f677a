// The stat calls of this test program, product code's included, pass through here: the program's
// own definitions stand before the C library's.
#include "CoarseFileClock.h"
#include <gtest/gtest.h>
#include <atomic>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> coarse {false};

template <typename Function>
Function* RealFunction(const char* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

int Coarsened(int result, struct stat* info)
{
    if (result == 0 && coarse.load())
        info->st_ctim = info->st_mtim;
    return result;
}

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

extern "C" int stat(const char* __restrict path, struct stat* __restrict info) __THROW
{
    static auto* real = RealFunction<int(const char*, struct stat*)>("stat");
    return Coarsened(real(path, info), info);
}

extern "C" int lstat(const char* __restrict path, struct stat* __restrict info) __THROW
{
    static auto* real = RealFunction<int(const char*, struct stat*)>("lstat");
    return Coarsened(real(path, info), info);
}

extern "C" int fstat(int fd, struct stat* info) __THROW
{
    static auto* real = RealFunction<int(int, struct stat*)>("fstat");
    return Coarsened(real(fd, info), info);
}

CoarseFileClock::CoarseFileClock()
{
    coarse = true;
}

CoarseFileClock::~CoarseFileClock()
{
    coarse = false;
}

void OverwriteInPlace(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

void ChangeWithinTheTick(const std::string& path, const std::string& bytes)
{
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0) << path;
    OverwriteInPlace(path, bytes);
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    if (Nanoseconds(now) - Nanoseconds(before.st_mtim) < 1'000'000'000) {
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
    }
}
