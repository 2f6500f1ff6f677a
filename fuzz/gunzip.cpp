// Any bytes received as a listing package go through the decompressor: it must never crash,
// must keep its percentage within 0..100, and a failure must leave no destination behind.
#include "unpack/Gzip.h"

#include "ScratchFolder.h"

#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int EntriesIn(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++count;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& folder = ScratchPath();
    const std::string source = folder + "tiedot.tvz";
    const std::string destination = folder + "tiedot.tvx";
    std::ofstream(source, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    GzipErrorBox = [](const TGzipErrorBox& box) {
        if (box.Text.empty())
            std::abort();
    };
    TGzip gzip(nullptr);
    gzip.FileSource = source;
    gzip.FileDestination = destination;
    gzip.DeleteSource = size % 2 == 0;
    gzip.ProgressStep = 1 + static_cast<int>(size % 30);
    gzip.OnProgress = [&](TObject*) {
        if (gzip.Progress < 0 || gzip.Progress > 100)
            std::abort();
    };
    int result = gzip.Gunzip();

    struct stat info;
    bool written = ::stat(destination.c_str(), &info) == 0;
    if (result != GunzipOk && written)
        std::abort();
    if (result == GunzipOk && (!written || info.st_size > GunzipMaxSize))
        std::abort();
    if (EntriesIn(folder) > (gzip.DeleteSource ? 1 : 2)) // a temporary file left behind
        std::abort();
    ::unlink(destination.c_str());
    ::unlink(source.c_str());
    return 0;
}
