// A file clock that ticks coarsely, for the tests of what tells one state of a file from another.
// This machine's kernel stamps every change with a time of its own, which tells every change apart
// and hides what goes wrong where a change falls within the clock's tick of the write before it (a
// coarse kernel tick, a file system that keeps seconds). While a CoarseFileClock lives, the
// process's stat calls give a file's change time as its modification time, as a file system that
// keeps one time of a file does, and ChangeWithinTheTick puts the modification time back after a
// change: the file then reads as a clock that has not ticked since the write before would leave it.
#pragma once
#include <string>

class CoarseFileClock {
public:
    CoarseFileClock();
    ~CoarseFileClock();
    CoarseFileClock(const CoarseFileClock&) = delete;
    CoarseFileClock& operator=(const CoarseFileClock&) = delete;
};

// Rewrites bytes at the start of the file in place: same file, same size.
void OverwriteInPlace(const std::string& path, const std::string& bytes);

// Overwrites the file in place and, when its last write lies less than a second back, gives it
// that write's times again. A later change would have moved even a coarse clock, and the file was
// then settled for those who read it.
void ChangeWithinTheTick(const std::string& path, const std::string& bytes);
