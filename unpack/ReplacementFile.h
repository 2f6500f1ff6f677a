// A file written under a temporary name beside its final one and renamed over it only when it is
// complete: a reader never sees half a file, a failure leaves the old file as it was, and a
// symlink that sits at the final name is replaced instead of followed. Paths are the file
// system's own (UTF-8, see ToSystemPath).
#pragma once
#include "platform/core/AnsiString.h"
#include <cstddef>
#include <cstdint>

// Whether `name` (a bare file name) is one that ReplacementFile gives its temporary files: what a
// run that ended before its clean-up could leave beside the target.
bool IsReplacementTemporaryName(const AnsiString& name);

class ReplacementFile {
public:
    // Creates the temporary file in target's folder; false (with Error) when it can't.
    bool Create(const AnsiString& target);
    // Writes all of count bytes or fails; a short write (full disk) is a failure.
    bool Write(const void* data, std::size_t count);
    // Sets the modification time that the file will carry.
    bool SetModified(std::int64_t unixSeconds);
    // Closes the temporary file, checking the close, then renames it over the target.
    bool Close();
    bool Replace();
    // Removes the temporary file unless it has replaced the target.
    ~ReplacementFile();

    const AnsiString& Target() const { return FTarget; }
    int Error() const { return FError; } // errno of the last failure
    AnsiString ErrorText() const;

private:
    bool Fail();
    AnsiString FTarget;
    AnsiString FTempPath;
    int FHandle = -1;
    int FError = 0;
    bool FReplaced = false;
};
