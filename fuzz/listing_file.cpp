// Feeds arbitrary bytes to the listing-file reader as the week file of one channel and asks for
// every day of that week: nothing may crash, hang or allocate beyond the file's size.
#include "listings/ListingStore.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "ScratchFolder.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& Folder()
{
    static const std::string folder = [] {
        const std::string& path = ScratchProgramFolder();
        ForceDirectories(path + "Tiedot");
        return path;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path = Folder() + "Tiedot/01-07.QEX";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    static const char* days[] = {"9.2.2026", "10.2.2026", "11.2.2026", "12.2.2026",
                                 "13.2.2026", "14.2.2026", "15.2.2026"};
    TStringList lines;
    for (const char* day : days)
        LoadDayListing("01", day, lines);
    return 0;
}
