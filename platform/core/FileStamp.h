// What tells one state of a file from another without reading it: which file it is, its size and
// its times. File times tick coarsely (a scheduler tick, up to seconds on some file systems), so
// equal stamps prove nothing changed only once the file has been left alone for a while.
#pragma once
#include "platform/core/AnsiString.h"
#include <sys/types.h>
#include <cstdint>

struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;
    bool operator==(const FileStamp&) const = default;
};

// False when path is no regular file (or link to one).
bool StampOfPath(const AnsiString& path, FileStamp& stamp);
// The stamp of an open file.
bool StampOfHandle(int handle, FileStamp& stamp);
// True when path itself is a regular file with one name: no link, from here or elsewhere, can
// change it without a change in its folder.
bool IsSoleNameOfFile(const AnsiString& path, const FileStamp& stamp);
// True when a change made after the stamp was taken must move its times: the file was last
// changed longer ago than the coarsest clock tick.
bool StampSettled(const FileStamp& stamp);
