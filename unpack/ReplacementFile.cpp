#include "unpack/ReplacementFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

AnsiString FolderOf(const AnsiString& path)
{
    std::size_t slash = path.rfind('/');
    return slash == AnsiString::npos ? AnsiString() : path.substr(0, slash + 1);
}

constexpr char kTemporaryStart[] = ".qex-";
constexpr char kTemporaryEnd[] = ".tmp";
constexpr std::size_t kTemporaryLetters = 10;
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";

// A dot name that no listing look-up ("*.QEX") matches, unique enough that O_EXCL rarely retries.
AnsiString TemporaryName()
{
    static std::minstd_rand random(std::random_device {}() ^ static_cast<unsigned>(getpid()));
    AnsiString name = kTemporaryStart;
    for (std::size_t i = 0; i < kTemporaryLetters; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name + kTemporaryEnd;
}

} // namespace

bool IsReplacementTemporaryName(const AnsiString& name)
{
    const std::size_t start = sizeof kTemporaryStart - 1;
    const std::size_t end = sizeof kTemporaryEnd - 1;
    if (name.size() != start + kTemporaryLetters + end || name.compare(0, start, kTemporaryStart) != 0
        || name.compare(start + kTemporaryLetters, end, kTemporaryEnd) != 0)
        return false;
    const AnsiString letters = name.substr(start, kTemporaryLetters);
    return letters.find_first_not_of(kLetters) == AnsiString::npos;
}

bool ReplacementFile::Create(const AnsiString& target)
{
    FTarget = target;
    AnsiString folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        FTempPath = folder + TemporaryName();
        FHandle = ::open(FTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (FHandle >= 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    FTempPath.clear();
    return Fail();
}

bool ReplacementFile::Write(const void* data, std::size_t count)
{
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t written = ::write(FHandle, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return Fail();
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReplacementFile::SetModified(std::int64_t unixSeconds)
{
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(unixSeconds);
    times[1].tv_nsec = 0;
    return ::futimens(FHandle, times) == 0 || Fail();
}

bool ReplacementFile::Close()
{
    int handle = FHandle;
    FHandle = -1;
    // close is never retried: the descriptor is gone whatever it returns.
    return ::close(handle) == 0 || Fail();
}

bool ReplacementFile::Replace()
{
    if (::rename(FTempPath.c_str(), FTarget.c_str()) != 0)
        return Fail();
    FReplaced = true;
    return true;
}

ReplacementFile::~ReplacementFile()
{
    if (FHandle >= 0)
        ::close(FHandle);
    if (!FReplaced && !FTempPath.empty())
        ::unlink(FTempPath.c_str());
}

AnsiString ReplacementFile::ErrorText() const
{
    return std::strerror(FError);
}

bool ReplacementFile::Fail()
{
    FError = errno;
    return false;
}
