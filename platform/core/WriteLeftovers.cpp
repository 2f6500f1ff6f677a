#include "platform/core/WriteLeftovers.h"
#include "platform/core/Files.h"
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The prefix and the six letters or digits that AtomicWriteFile's mkostemp puts after it.
bool IsWriteLeftoverName(const AnsiString& name, const AnsiString& prefix)
{
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

} // namespace

void RemoveWriteLeftovers(const AnsiString& path)
{
    const AnsiString folder = ExtractFilePath(path);
    const AnsiString prefix = "." + ExtractFileName(path) + ".";
    for (const AnsiString& name : FindFiles(folder, prefix + "*")) {
        struct stat info {};
        const std::string entry = ToSystemPath(folder + name);
        // lstat: a link is never ours, wherever it points.
        if (IsWriteLeftoverName(name, prefix) && ::lstat(entry.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(entry.c_str());
    }
}
