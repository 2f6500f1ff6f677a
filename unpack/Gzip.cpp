#include "unpack/Gzip.h"

#include "platform/core/Files.h"
#include "unpack/ReplacementFile.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <zlib.h>

std::function<void(const TGzipErrorBox&)> GzipErrorBox = [](const TGzipErrorBox& box) {
    std::fprintf(stderr, "%s: %s\n", box.Caption.c_str(), box.Text.c_str());
};

namespace {

constexpr int CopyBufferSize = 16384;
constexpr unsigned ZlibInputBufferSize = 65536;

// stat follows symlinks, so a link or a hard link to the source counts as the source.
bool IsSameFile(const AnsiString& a, const AnsiString& b)
{
    struct stat first, second;
    return ::stat(ToSystemPath(a).c_str(), &first) == 0 && ::stat(ToSystemPath(b).c_str(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::int64_t SizeOf(const AnsiString& path)
{
    struct stat info;
    return ::stat(ToSystemPath(path).c_str(), &info) == 0 ? info.st_size : 0;
}

// zlib prefixes its messages with the path it was given; the box names the file itself.
AnsiString ZlibReason(gzFile source, const std::string& systemPath, int& code)
{
    AnsiString message = FromSystemPath(gzerror(source, &code));
    AnsiString path = FromSystemPath(systemPath);
    if (message.compare(0, path.size() + 2, path + ": ") == 0)
        message.erase(0, path.size() + 2);
    return message;
}

} // namespace

int TGzip::Gunzip()
{
    gzFile source = gzopen(ToSystemPath(FileSource).c_str(), "rb");
    if (source == nullptr) {
        ShowError("Can't open: " + FileSource);
        return GunzipCantOpen;
    }
    std::int64_t sourceSize = SizeOf(FileSource);
    // Writing over the source would destroy it before it is read.
    if (IsSameFile(FileSource, FileDestination)) {
        ShowError("Can't create: " + FileDestination + " (it is the source file)");
        gzclose(source);
        return GunzipCantCreate;
    }
    AnsiString failure;
    int result = GunzipOk;
    bool made = false;
    {
        ReplacementFile destination;
        made = destination.Create(ToSystemPath(FileDestination));
        if (made) {
            result = GunzipCopy(source, destination, sourceSize, failure);
        } else {
            gzclose(source);
            failure = "Can't create: " + FileDestination;
            result = GunzipCantCreate;
        }
        if (result == GunzipOk && !destination.Close()) {
            failure = "Can't close file " + FileDestination;
            result = GunzipDestCloseError;
        }
        if (result == GunzipOk && !destination.Replace()) {
            failure = "Can't create: " + FileDestination;
            result = GunzipCantCreate;
        }
    } // a destination that did not replace the target takes its temporary file with it here
    // A package that found nowhere to go is kept for another try.
    if (DeleteSource && made)
        DeleteFile(FileSource);
    // An older destination must not survive a failed run: it would be unpacked as if new. The box
    // comes last: it may stay up until the program ends, and nothing of the run may outlive it.
    if (result != GunzipOk) {
        DeleteFile(FileDestination);
        ShowError(failure);
    }
    return result;
}

// Reads until zlib reports the end, then asks zlib whether the end was a clean one: gzread
// returns 0 at a truncated end, and only gzerror tells it apart from the real end.
int TGzip::GunzipCopy(gzFile_s* source, ReplacementFile& destination, std::int64_t sourceSize, AnsiString& failure)
{
    Progress = 0;
    if (ProgressStep > 0)
        DoOnProgress();
    char buffer[CopyBufferSize];
    gzbuffer(source, ZlibInputBufferSize); // fewer, larger reads of the package
    std::int64_t total = 0;
    int result = GunzipOk;
    for (;;) {
        int got = gzread(source, buffer, CopyBufferSize);
        int code = Z_OK;
        if (got <= 0) {
            AnsiString reason = ZlibReason(source, ToSystemPath(FileSource), code);
            if (got < 0 || code != Z_OK) {
                result = GunzipReadError;
                failure = (code == Z_ERRNO ? "Can't read: " : "Corrupt data in: ") + FileSource + " (" + reason + ")";
            }
            break;
        }
        if (total + got > GunzipMaxSize) {
            result = GunzipTooLarge;
            failure = "Too much data in: " + FileSource + " (more than " +
                      std::to_string(GunzipMaxSize / (1024 * 1024)) + " MiB)";
            break;
        }
        if (!destination.Write(buffer, static_cast<std::size_t>(got))) {
            result = GunzipWriteError;
            failure = "Can't write: " + FileDestination + " (" + destination.ErrorText() + ")";
            break;
        }
        total += got;
        ReportProgress(gzoffset64(source), sourceSize);
    }
    if (gzclose(source) != Z_OK && result == GunzipOk) {
        result = GunzipCloseError;
        failure = "gzclose Error.";
    }
    if (result != GunzipOk)
        return result;
    if (ProgressStep > 0 && Progress != 100) {
        Progress = 100;
        DoOnProgress();
    }
    return result;
}

// The base is the compressed size, the only size known in advance, so the percentage is of the
// source read and never passes 100.
void TGzip::ReportProgress(std::int64_t sourceRead, std::int64_t sourceSize)
{
    if (ProgressStep <= 0)
        return;
    int percent = sourceSize > 0 ? static_cast<int>(std::min<std::int64_t>(100, sourceRead * 100 / sourceSize)) : 100;
    if (Progress + ProgressStep <= percent || (sourceRead >= sourceSize && Progress != 100)) {
        Progress = percent;
        DoOnProgress();
    }
}

void TGzip::DoOnProgress()
{
    if (OnProgress)
        OnProgress(this);
}

void TGzip::ShowError(const AnsiString& text) const
{
    if (WindowOnError && GzipErrorBox)
        GzipErrorBox({"Virhe", text, "&Keskeytä"_a});
}
