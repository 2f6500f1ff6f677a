// Any bytes as an unpacked listing package go through the extractor: it must never crash or
// hang, and nothing outside the unpack folder may change, even through symlinks already there.
#include "unpack/UnTar.h"

#include "ScratchFolder.h"

#include "platform/core/Exceptions.h"
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The scratch folder with the target of the traps: a folder "outside" holding a file "victim".
std::string FolderWithVictim()
{
    static const std::string folder = [] {
        std::string path = ScratchPath().substr(0, ScratchPath().size() - 1);
        fs::create_directory(path + "/outside");
        std::ofstream(path + "/outside/victim") << "victim";
        return path;
    }();
    return folder;
}

// The unpack folder starts each run with two traps: a folder link and a file link leading out.
void PrepareUnpackFolder(const std::string& folder)
{
    fs::remove_all(folder + "/Tiedot");
    fs::create_directory(folder + "/Tiedot");
    fs::create_directory_symlink(folder + "/outside", folder + "/Tiedot/link");
    fs::create_symlink(folder + "/outside/victim", folder + "/Tiedot/01-07.QEX");
}

void CheckOutsideUntouched(const std::string& folder)
{
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(folder + "/outside")) {
        (void)entry;
        ++entries;
    }
    std::ifstream victim(folder + "/outside/victim");
    std::string text((std::istreambuf_iterator<char>(victim)), std::istreambuf_iterator<char>());
    int top = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++top;
    }
    if (entries != 1 || text != "victim" || top != 3)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string folder = FolderWithVictim();
    PrepareUnpackFolder(folder);
    const std::string archive = folder + "/a.tar";
    std::ofstream(archive, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    TUnTar untar(nullptr);
    untar.FileSource = archive;
    untar.UnpackPath = folder + "/Tiedot";
    untar.CreateEmptyDir = size % 2 == 0;
    untar.OverwriteMode = static_cast<TOverwriteMode>(size % 3);
    untar.ProgressStep = 10;
    untar.OnProgress = [&](TObject*) {
        if (untar.Progress < 0 || untar.Progress > 100)
            std::abort();
    };
    try {
        untar.Extract();
    } catch (const Exception&) {
        // damaged archives end in an exception; that is the expected outcome
    }
    CheckOutsideUntouched(folder);
    return 0;
}
