// The fuzz target's own folder for the files an input is written to: made on first use (in memory
// where /dev/shm can be written, for speed), shared by every run of the target and removed, with
// all that the runs left in it, when the target ends.
#pragma once
#include "platform/core/Files.h"
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

class ScratchFolder {
public:
    ScratchFolder()
    {
        const std::string base = access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm")
                                                                : std::filesystem::temp_directory_path().string();
        std::string pattern = base + "/qex-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        FPath = pattern + "/";
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath.substr(0, FPath.size() - 1), ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return FPath; } // ends with '/'

private:
    std::string FPath;
};

// The one scratch folder of this target.
inline const std::string& ScratchPath()
{
    static const ScratchFolder folder;
    return folder.Path();
}

// The scratch folder made the program's own folder, for targets that read the files beside it.
inline const std::string& ScratchProgramFolder()
{
    static const bool set = [] {
        SetExeFolder(ScratchPath());
        return true;
    }();
    (void)set;
    return ScratchPath();
}
