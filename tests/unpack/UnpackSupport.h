// Helpers for the unpacking tests: scratch folders, archives built byte by byte, gzip data made
// with zlib, snapshots of folder trees, and the decompressor's error boxes captured.
#pragma once
#include "unpack/Gzip.h"
#include <cstdint>
#include <map>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace unpack_test {

// A fresh folder under /tmp, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path); // throws std::runtime_error when missing
bool Exists(const std::string& path);           // lstat: a dangling symlink exists
std::vector<std::string> NamesIn(const std::string& folder); // sorted, no "." or ".."
int Shell(const std::string& command);          // /bin/sh -c, returns the exit status

// One member of an archive made by hand. sizeField, when set, replaces the octal size.
struct Member {
    Member(std::string name, std::string data, char type = '0', std::int64_t mtime = 1770804003,
           std::string linkName = "", std::string sizeField = "")
        : name(std::move(name)), data(std::move(data)), type(type), mtime(mtime),
          linkName(std::move(linkName)), sizeField(std::move(sizeField)) {}
    std::string name;
    std::string data;
    char type;
    std::int64_t mtime; // by default 2026-02-11 10:00:03 UTC
    std::string linkName;
    std::string sizeField;
};
std::string TarHeader(const Member& member);
std::string Tar(const std::vector<Member>& members, bool endBlocks = true);

std::string Gzipped(const std::string& bytes, int level = 9);
std::string PatternBytes(std::size_t count, unsigned seed); // every byte value, reproducibly
// One valid gzip stream of `mebibytes` MiB of zeros, built in milliseconds: a deflate block
// ended by a full flush does not depend on what came before, so one compressed MiB repeats.
std::string ZeroBomb(int mebibytes);

// Path -> type, content and time of everything below root, symlinks not followed; `skip` (a
// name directly below root) is left out.
std::map<std::string, std::string> Snapshot(const std::string& root, const std::string& skip = "");

// Collects the boxes TGzip shows while it lives, and restores the hook afterwards.
class CapturedBoxes {
public:
    CapturedBoxes();
    ~CapturedBoxes();
    std::vector<TGzipErrorBox> Boxes;

private:
    std::function<void(const TGzipErrorBox&)> FSaved;
};

// Files past `bytes` can't grow while it lives: a full disk for one test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();

private:
    rlimit FSaved {};
};

// Runs f and fails the whole run if it has not returned within the given seconds: a hang must
// never pass silently or stall the suite.
void MustFinishWithin(int seconds, const std::function<void()>& f);

} // namespace unpack_test
