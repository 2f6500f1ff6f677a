#include "unpack/UnTar.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "unpack/MemberPath.h"
#include "unpack/ReplacementFile.h"
#include <algorithm>
#include <ctime>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr std::int64_t CopyBufferSize = 65536;

bool PathExists(const std::string& systemPath)
{
    struct stat info;
    return ::lstat(systemPath.c_str(), &info) == 0; // a dangling symlink exists too
}

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, std::max<std::size_t>(slash, 1));
}

} // namespace

std::int64_t TarDateToFileDate(const TTarDate& date)
{
    if (date.Year < 1980 || date.Year > 2099)
        return 0;
    std::tm local {};
    local.tm_year = date.Year - 1900;
    local.tm_mon = date.Month - 1;
    local.tm_mday = date.Day;
    local.tm_hour = date.Hour;
    local.tm_min = date.Minute;
    local.tm_sec = date.Second - date.Second % 2;
    local.tm_isdst = -1;
    std::time_t seconds = std::mktime(&local);
    return seconds == -1 ? 0 : seconds;
}

void TUnTar::Extract()
{
    Progress = 0;
    if (!UnpackPath.empty() && !DirectoryExists(UnpackPath) && !ForceDirectories(UnpackPath))
        throw EInOutError("Unable to create directory " + UnpackPath);
    FRoot = CanonicalPath(UnpackPath.empty() ? std::string(".") : ToSystemPath(UnpackPath));
    if (FRoot.empty())
        throw EInOutError("Unable to create directory " + UnpackPath);
    TTarFile tar(SourcePath());
    UpdateProgress(tar);
    while (!tar.Eof()) {
        NextFile = TNextFile();
        NextFile.Name = tar.GetNextFileName();
        UpdateProgress(tar);
        CheckReader(tar);
        if (NextFile.Name.empty())
            continue;
        TTarKind kind = tar.Kind();
        if (CreateEmptyDir && kind != TTarKind::Other) {
            MemberPath path = SplitMemberName(NextFile.Name);
            if (!path.Escapes)
                MakeFolderInside(FRoot, path.Folders);
        }
        NextFile.Size = tar.GetFileSize();
        if (NextFile.Size <= 0)
            continue;
        NextFile.Date = tar.GetFileDate();
        if (kind == TTarKind::File) {
            DoOnNextFile();
            ExtractFile(tar);
        } else {
            SkipMember(tar);
        }
    }
    UpdateProgress(tar);
}

AnsiString TUnTar::SourcePath() const
{
    if (UnpackPath.empty() || FileSource.empty() || FileSource[0] == '/')
        return FileSource;
    return IncludeTrailingPathDelimiter(UnpackPath) + FileSource;
}

// The name is read after OnNextFile, which may change it. A name that climbs out with "..",
// names no file, or leads through a symlink to outside the unpack folder is passed over.
void TUnTar::ExtractFile(TTarFile& tar)
{
    MemberPath path = SplitMemberName(NextFile.Name);
    std::string folder;
    if (!path.Escapes && !path.FileName.empty())
        folder = MakeFolderInside(FRoot, path.Folders);
    if (folder.empty()) {
        SkipMember(tar);
        return;
    }
    FTarget = (folder.back() == '/' ? folder : folder + "/") + ToSystemPath(path.FileName);
    Target = FromSystemPath(FTarget);
    OverwriteAction = omRename;
    if (!ChooseTarget()) {
        SkipMember(tar);
        return;
    }
    WriteTarget(tar);
}

// False when the member is to be passed over. A handler that neither decides nor names a new
// target would be asked forever; its silence means skip. A name the handler gives is held to the
// same rule as the archive's: its folder must lie inside the unpack folder.
bool TUnTar::ChooseTarget()
{
    bool renamed = false;
    while (PathExists(FTarget) && OverwriteMode == omRename && OverwriteAction == omRename) {
        NewFileName.clear();
        DoOnExtractOverwrite();
        if (OverwriteAction != omRename)
            break;
        if (NewFileName.empty())
            return false;
        std::string newTarget = NewFileName[0] == '/' ? ToSystemPath(NewFileName) : FRoot + "/" + ToSystemPath(NewFileName);
        if (newTarget == FTarget)
            return false;
        FTarget = newTarget;
        Target = FromSystemPath(FTarget);
        renamed = true;
    }
    if (PathExists(FTarget) && OverwriteMode != omReplace && OverwriteAction != omReplace)
        return false;
    return !renamed || LiesInside(FRoot, CanonicalPath(FolderOf(FTarget)));
}

// Reads until the reader has passed the member's data, not by NextFile.Size: an OnNextFile
// handler may have changed that, and the reader must never be left inside a member.
void TUnTar::WriteTarget(TTarFile& tar)
{
    ReplacementFile file;
    if (!file.Create(FTarget))
        throw EFCreateError("Cannot create file " + Target + " (" + file.ErrorText() + ")");
    std::unique_ptr<char[]> buffer(new char[CopyBufferSize]);
    while (tar.State() == tsDateRead) {
        std::int64_t got = tar.ReadData(buffer.get(), CopyBufferSize);
        CheckReader(tar);
        if (!file.Write(buffer.get(), static_cast<std::size_t>(got)))
            throw EWriteError("Cannot write file " + Target + " (" + file.ErrorText() + ")");
        NextFile.Size = std::max<std::int64_t>(NextFile.Size - got, 0);
        UpdateProgress(tar);
    }
    std::int64_t modified = TarDateToFileDate(NextFile.Date);
    if (modified != 0)
        file.SetModified(modified);
    if (!file.Close())
        throw EWriteError("Cannot write file " + Target + " (" + file.ErrorText() + ")");
    if (!file.Replace())
        throw EFCreateError("Cannot create file " + Target + " (" + file.ErrorText() + ")");
}

void TUnTar::SkipMember(TTarFile& tar)
{
    tar.SkipData();
    CheckReader(tar);
    UpdateProgress(tar);
}

void TUnTar::CheckReader(const TTarFile& tar) const
{
    if (tar.State() != tsError)
        return;
    AnsiString where = NextFile.Name.empty() ? AnsiString() : " inside " + NextFile.Name;
    throw EReadError("Unexpected end of archive " + SourcePath() + where);
}

void TUnTar::UpdateProgress(const TTarFile& tar)
{
    if (ProgressStep <= 0)
        return;
    int percent = tar.Progress();
    if (Progress + ProgressStep <= percent || percent == 100) {
        Progress = percent == 100 ? 100 : percent - percent % ProgressStep;
        DoOnProgress();
    }
}

void TUnTar::DoOnNextFile()
{
    if (OnNextFile)
        OnNextFile(this);
}

void TUnTar::DoOnExtractOverwrite()
{
    if (OnExtractOverwrite)
        OnExtractOverwrite(this);
}

void TUnTar::DoOnProgress()
{
    if (OnProgress)
        OnProgress(this);
}
