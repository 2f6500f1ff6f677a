#include "app/ListingPackage.h"
#include "listings/ListingStore.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "unpack/Gzip.h"
#include "unpack/UnTar.h"
#include "unpack/tarfile.h"
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The tar reader takes a file that merely runs out for a finished archive, so a reply that is
// neither gzip nor tar (copied through unchanged) would pass as an empty package. A real archive
// ends with an all-zero block.
void CheckArchiveEnds(const AnsiString& path)
{
    TTarFile tar(path);
    while (!tar.Eof() && tar.State() != tsError) {
        if (tar.GetNextFileName().empty())
            continue;
        if (tar.GetFileSize() > 0) {
            tar.GetFileDate();
            tar.SkipData();
        }
    }
    if (tar.State() != tsEndOfArchive)
        throw EReadError("Unexpected end of archive " + path);
}

void MakeStagingFolder()
{
    std::error_code error;
    fs::remove_all(ToSystemPath(StagingFolder()), error);
    if (!fs::create_directory(ToSystemPath(StagingFolder()), error) || error)
        throw EInOutError("Unable to create directory " + StagingFolder());
}

void PromoteStagedFiles()
{
    std::error_code error;
    fs::directory_iterator entries(ToSystemPath(StagingFolder()), error);
    if (error)
        throw EInOutError("Unable to read directory " + StagingFolder());
    for (const fs::directory_entry& entry : entries) {
        if (entry.is_symlink(error) || !entry.is_regular_file(error))
            continue;
        // A rename within one file system replaces the stored file in one step.
        const AnsiString name = FromSystemPath(entry.path().filename().string());
        fs::rename(entry.path(), ToSystemPath(ResolveIgnoringCase(DataFolder(), name)), error);
        if (error)
            throw EInOutError("Cannot move file " + name + " to " + DataFolder() + " (" + error.message() + ")");
    }
}

struct PackageFilesRemover {
    ~PackageFilesRemover() { RemovePackageFiles(); }
};

} // namespace

AnsiString PackagePath()
{
    return DataFolder() + "tiedot.tvz";
}

AnsiString ArchivePath()
{
    return DataFolder() + "tiedot.tvx";
}

AnsiString StagingFolder()
{
    return DataFolder() + "tiedot.tmp/";
}

bool UnpackListingPackage(TGzip& gzip, TUnTar& untar)
{
    PackageFilesRemover remover;
    gzip.FileSource = PackagePath();
    gzip.FileDestination = ArchivePath();
    if (gzip.Gunzip() != GunzipOk)
        return false;
    CheckArchiveEnds(ArchivePath());
    MakeStagingFolder();
    untar.FileSource = ArchivePath();
    untar.UnpackPath = StagingFolder();
    untar.Extract();
    PromoteStagedFiles();
    return true;
}

void RemovePackageFiles()
{
    DeleteFile(PackagePath());
    DeleteFile(ArchivePath());
    std::error_code error;
    fs::remove_all(ToSystemPath(StagingFolder()), error);
}
