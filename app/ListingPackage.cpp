#include "app/ListingPackage.h"
#include "listings/ListingStore.h"
#include "listings/WeekFileCache.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileMoves.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"
#include "unpack/Gzip.h"
#include "unpack/MemberPath.h"
#include "unpack/ReplacementFile.h"
#include "unpack/UnTar.h"
#include "unpack/tarfile.h"
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kBlock = 512;
constexpr int kChecksumAt = 148;
constexpr int kChecksumLength = 8;

// A tar archive begins with a header whose checksum holds (summed over unsigned bytes, or signed
// ones as some old writers did), or with the all-zero block that ends an empty one. Anything else
// (an error page sent in place of the package, say) is no archive.
bool StartsAsTarArchive(const AnsiString& path)
{
    unsigned char block[kBlock] {};
    TFileStream stream(path, fmOpenRead);
    if (stream.Read(block, kBlock) != kBlock)
        return false;
    if (std::all_of(block, block + kBlock, [](unsigned char c) { return c == 0; }))
        return true;
    int sum = 0, signedSum = 0;
    for (int i = 0; i < kBlock; ++i) {
        const bool inChecksum = i >= kChecksumAt && i < kChecksumAt + kChecksumLength;
        sum += inChecksum ? ' ' : block[i];
        signedSum += inChecksum ? ' ' : static_cast<signed char>(block[i]);
    }
    int i = kChecksumAt;
    while (i < kChecksumAt + kChecksumLength && block[i] == ' ')
        ++i;
    int stored = 0;
    bool digits = false;
    for (; i < kChecksumAt + kChecksumLength && block[i] >= '0' && block[i] <= '7'; ++i, digits = true)
        stored = stored * 8 + (block[i] - '0');
    return digits && (stored == sum || stored == signedSum);
}

// The files the archive puts directly into the unpack folder, in archive order, as the file system
// spells them (the extractor names them the same way). The tar reader takes a file that merely
// runs out for a finished archive, so the all-zero end block is looked for here.
std::vector<std::string> FilesAtTheTop(const AnsiString& path)
{
    if (!StartsAsTarArchive(path))
        throw EReadError("The server's reply is not a listing package");
    std::vector<std::string> names;
    TTarFile tar(path);
    while (!tar.Eof() && tar.State() != tsError) {
        const AnsiString name = tar.GetNextFileName();
        if (name.empty())
            continue;
        const TTarKind kind = tar.Kind();
        if (tar.GetFileSize() <= 0)
            continue;
        tar.GetFileDate();
        tar.SkipData();
        const MemberPath member = SplitMemberName(name);
        if (kind == TTarKind::File && !member.Escapes && member.Folders.empty() && !member.FileName.empty())
            names.push_back(ToSystemPath(member.FileName));
    }
    if (tar.State() != tsEndOfArchive)
        throw EReadError("Unexpected end of archive " + path);
    return names;
}

void MakeStagingFolder()
{
    if (!RemoveTree(StagingFolder()) || !CreateDir(StagingFolder()))
        throw EInOutError("Unable to create directory " + StagingFolder());
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
    const std::vector<std::string> files = FilesAtTheTop(ArchivePath());
    MakeStagingFolder();
    untar.FileSource = ArchivePath();
    untar.UnpackPath = StagingFolder();
    untar.Extract();
    MoveFilesIgnoringCase(StagingFolder(), files, DataFolder());
    // The folder's watch reports the new files too; where none could be set, file times alone
    // might not tell a file replaced within the same clock tick.
    ForgetWeekFiles();
    return true;
}

void RemovePackageFiles()
{
    DeleteFile(PackagePath());
    DeleteFile(ArchivePath());
    RemoveTree(StagingFolder());
}

void ClearPackageLeftovers()
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path data = ToSystemPath(DataFolder());
    std::vector<fs::path> files {ToSystemPath(PackagePath()), ToSystemPath(ArchivePath())};
    for (fs::directory_iterator entry(data, error), end; !error && entry != end; entry.increment(error))
        if (IsReplacementTemporaryName(FromSystemPath(entry->path().filename().string())))
            files.push_back(entry->path());
    // symlink_status: a link is judged as the link, never as what it points at.
    for (const fs::path& file : files)
        if (fs::is_regular_file(fs::symlink_status(file, error)))
            fs::remove(file, error);
    AnsiString staging = StagingFolder();
    staging.pop_back(); // with its '/', a link there would be judged as the folder it points at
    if (fs::is_directory(fs::symlink_status(ToSystemPath(staging), error)))
        RemoveTree(staging);
}
