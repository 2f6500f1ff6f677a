#include "platform/core/Streams.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// --- TStream ---

std::int64_t TStream::Size()
{
    std::int64_t position = Seek(0, soFromCurrent);
    std::int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

void TStream::SetSize(std::int64_t size)
{
    (void)size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr std::int64_t kChunk = 64 * 1024;
    std::string buffer(static_cast<std::size_t>(std::min(std::max<std::int64_t>(count, 0), kChunk)), '\0');
    std::int64_t left = count;
    while (left > 0) {
        std::int64_t n = std::min(left, kChunk);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

// --- TFileStream ---

namespace {

int OpenFlags(unsigned mode)
{
    if (mode == fmCreate)
        return O_RDWR | O_CREAT | O_TRUNC;
    switch (mode & 0x3) {
    case fmOpenWrite: return O_WRONLY;
    case fmOpenReadWrite: return O_RDWR;
    default: return O_RDONLY;
    }
}

} // namespace

// Linux has no sharing modes: every file is open to others, which is what the program asks for
// whenever it reads.
TFileStream::TFileStream(const AnsiString& fileName, unsigned mode) : FFileName(fileName)
{
    int fd = -1;
    if (int error = FileFault(fileName, mode == fmCreate || (mode & 0x3) != fmOpenRead))
        errno = error;
    else
        do
            fd = ::open(ToSystemPath(fileName).c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
        while (fd < 0 && errno == EINTR);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0) {
        if (mode == fmCreate)
            throw EFCreateError("Cannot create file " + fileName);
        throw EFOpenError("Cannot open file " + fileName);
    }
    FHandle = fd;
}

TFileStream::~TFileStream()
{
    // Closed once: a close interrupted by a signal has still released the descriptor.
    if (FHandle >= 0)
        ::close(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t done = 0;
    char* out = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(FHandle, out + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EReadError("Stream read error");
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    std::int64_t done = 0;
    const char* in = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n = FileFault(FFileName, true) ? -1
                                               : ::write(FHandle, in + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw EWriteError("Stream write error");
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soFromCurrent ? SEEK_CUR : origin == soFromEnd ? SEEK_END : SEEK_SET;
    return ::lseek(FHandle, offset, whence);
}

void TFileStream::SetSize(std::int64_t size)
{
    if (size < 0 || ::ftruncate(FHandle, size) != 0)
        throw EStreamError("Stream size error");
    Seek(size, soFromBeginning);
}

// --- TMemoryStream ---

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t available = Size() - FPosition;
    std::int64_t n = std::min(count, available);
    if (n <= 0)
        return 0;
    std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    if (FPosition + count > Size())
        FData.resize(static_cast<std::size_t>(FPosition + count));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
    FPosition += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = origin == soFromCurrent ? FPosition : origin == soFromEnd ? Size() : 0;
    std::int64_t target = base + offset;
    if (target < 0)
        return -1;
    // Past the end is allowed: a later Write fills the gap with zeros.
    FPosition = target;
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    if (size < 0)
        throw EStreamError("Stream size error");
    FData.resize(static_cast<std::size_t>(size));
    FPosition = std::min(FPosition, size);
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& path)
{
    FData = ReadWholeFile(path);
    FPosition = 0;
}

void TMemoryStream::SaveToFile(const AnsiString& path) const
{
    AtomicWriteFile(path, FData);
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    std::int64_t size = stream.Size();
    std::string data(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    stream.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    FData = std::move(data);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) const
{
    stream.WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

// --- TStringStream ---

TStringStream::TStringStream(const AnsiString& s)
{
    Write(s.data(), static_cast<std::int64_t>(s.size()));
    SetPosition(0);
}

std::string ReadToEnd(TStream& stream)
{
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        std::int64_t n = stream.Read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}
