#include "platform/core/Files.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <stdio.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

TFileFault& CurrentFileFault()
{
    static TFileFault fault;
    return fault;
}

AnsiString& ExeFolderOverride()
{
    static AnsiString folder;
    return folder;
}

bool StatPath(const AnsiString& path, struct stat& info)
{
    return !path.empty() && ::stat(ToSystemPath(path).c_str(), &info) == 0;
}

bool LinkExists(const AnsiString& path)
{
    struct stat info {};
    return !path.empty() && ::lstat(ToSystemPath(path).c_str(), &info) == 0;
}

// Names of a folder's entries that Windows-1252 can spell (others could not be opened again).
std::vector<AnsiString> FolderEntries(const AnsiString& folder)
{
    std::vector<AnsiString> names;
    DIR* dir = ::opendir(ToSystemPath(folder.empty() ? AnsiString(".") : folder).c_str());
    if (!dir)
        return names;
    while (dirent* entry = ::readdir(dir)) {
        std::string raw = entry->d_name;
        if (raw == "." || raw == "..")
            continue;
        AnsiString name = FromSystemPath(raw);
        if (ToSystemPath(name) == raw)
            names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

// Position of the extension's dot, or npos when the last name has none.
std::size_t ExtensionDot(const AnsiString& path)
{
    std::size_t at = path.find_last_of("./");
    return (at != AnsiString::npos && path[at] == '.') ? at : AnsiString::npos;
}

// Wildcards as a file search sees them, without backtracking blow-up: on a mismatch only the
// last '*' is widened.
bool WildcardMatch(const AnsiString& name, const AnsiString& mask)
{
    std::size_t n = 0, m = 0;
    std::size_t starMask = AnsiString::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size()
                   && (mask[m] == '?' || cp1252::ToUpperAscii(mask[m]) == cp1252::ToUpperAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != AnsiString::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool WriteAll(int fd, const AnsiString& path, const std::string& bytes)
{
    if (int error = FileFault(path, true)) {
        errno = error;
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file gets the permissions an ordinary create would give; a replaced regular file keeps
// its own. A symlink at the target is replaced, never followed.
mode_t ModeForReplacement(const std::string& target)
{
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string ToSystemPath(const AnsiString& path) { return cp1252::ToUtf8(path); }
AnsiString FromSystemPath(const std::string& path) { return cp1252::FromUtf8(path); }

void SetFileFault(TFileFault fault) { CurrentFileFault() = std::move(fault); }

int FileFault(const AnsiString& path, bool writing)
{
    const TFileFault& fault = CurrentFileFault();
    return fault ? fault(path, writing) : 0;
}

AnsiString ExeFolder()
{
    AnsiString& folder = ExeFolderOverride();
    if (folder.empty()) {
        char buffer[PATH_MAX];
        ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        std::string exe = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("./");
        folder = ExtractFilePath(FromSystemPath(exe));
    }
    return folder;
}

void SetExeFolder(const AnsiString& folder) { ExeFolderOverride() = IncludeTrailingPathDelimiter(folder); }

bool FileExists(const AnsiString& path)
{
    struct stat info {};
    return StatPath(path, info) && S_ISREG(info.st_mode);
}

bool DirectoryExists(const AnsiString& path)
{
    struct stat info {};
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

bool CreateDir(const AnsiString& path)
{
    return !path.empty() && ::mkdir(ToSystemPath(path).c_str(), 0777) == 0;
}

bool ForceDirectories(const AnsiString& path)
{
    AnsiString folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty())
        return false;
    if (DirectoryExists(folder))
        return true;
    AnsiString parent = ExtractFilePath(folder);
    if (!parent.empty() && parent != folder && !ForceDirectories(parent))
        return false;
    // Someone else may have made it meanwhile.
    return CreateDir(folder) || DirectoryExists(folder);
}

bool DeleteFile(const AnsiString& path)
{
    return !path.empty() && ::unlink(ToSystemPath(path).c_str()) == 0;
}

// Renaming never replaces an existing file, as on the platform the program was written for.
bool RenameFile(const AnsiString& from, const AnsiString& to)
{
    if (from.empty() || to.empty())
        return false;
    std::string source = ToSystemPath(from);
    std::string target = ToSystemPath(to);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without no-replace renames: check, then rename.
    return !LinkExists(to) && ::rename(source.c_str(), target.c_str()) == 0;
}

bool RemoveDir(const AnsiString& path)
{
    return !path.empty() && ::rmdir(ToSystemPath(path).c_str()) == 0;
}

bool RemoveTree(const AnsiString& path)
{
    // A trailing '/' would make the system resolve a link there to the folder it points at.
    AnsiString entry = path;
    while (entry.size() > 1 && entry.back() == '/')
        entry.pop_back();
    if (entry.empty() || entry == "/")
        return false;
    std::error_code error;
    std::filesystem::remove_all(ToSystemPath(entry), error);
    return !LinkExists(entry);
}

std::int64_t FileSize(const AnsiString& path)
{
    struct stat info {};
    return StatPath(path, info) && S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : -1;
}

AnsiString ExtractFilePath(const AnsiString& path)
{
    std::size_t slash = path.rfind('/');
    return slash == AnsiString::npos ? AnsiString() : path.substr(0, slash + 1);
}

AnsiString ExtractFileName(const AnsiString& path)
{
    std::size_t slash = path.rfind('/');
    return slash == AnsiString::npos ? path : path.substr(slash + 1);
}

AnsiString ExtractFileExt(const AnsiString& path)
{
    std::size_t dot = ExtensionDot(path);
    return dot == AnsiString::npos ? AnsiString() : path.substr(dot);
}

AnsiString ChangeFileExt(const AnsiString& path, const AnsiString& ext)
{
    return path.substr(0, ExtensionDot(path)) + ext;
}

// An empty path stays empty (the current folder) rather than becoming the root.
AnsiString IncludeTrailingPathDelimiter(const AnsiString& path)
{
    if (path.empty() || path.back() == '/')
        return path;
    return path + '/';
}

bool MatchesMask(const AnsiString& name, const AnsiString& mask)
{
    // "*.*" means every file, names without a dot included.
    if (mask == "*.*")
        return true;
    return WildcardMatch(name, mask);
}

std::vector<AnsiString> FindFiles(const AnsiString& folder, const AnsiString& mask)
{
    std::vector<AnsiString> found;
    AnsiString prefix = IncludeTrailingPathDelimiter(folder);
    for (AnsiString& name : FolderEntries(folder))
        if (MatchesMask(name, mask) && FileExists(prefix + name))
            found.push_back(std::move(name));
    std::sort(found.begin(), found.end(), [](const AnsiString& a, const AnsiString& b) {
        int c = CompareText(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return found;
}

AnsiString ResolveIgnoringCase(const AnsiString& folder, const AnsiString& name)
{
    AnsiString exact = IncludeTrailingPathDelimiter(folder) + name;
    if (LinkExists(exact))
        return exact;
    std::vector<AnsiString> entries = FolderEntries(folder);
    std::sort(entries.begin(), entries.end());
    for (const AnsiString& entry : entries)
        if (SameText(entry, name))
            return IncludeTrailingPathDelimiter(folder) + entry;
    return exact;
}

void AtomicWriteFile(const AnsiString& path, const std::string& bytes)
{
    const std::string target = ToSystemPath(path);
    AnsiString folder = ExtractFilePath(path);
    std::string temp = ToSystemPath(folder + "." + ExtractFileName(path) + ".XXXXXX");
    int fd = path.empty() || ExtractFileName(path).empty() ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        throw EFCreateError("Cannot create file " + path);
    bool written = WriteAll(fd, path, bytes) && ::fchmod(fd, ModeForReplacement(target)) == 0 && ::fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        throw EWriteError("Cannot write file " + path);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw EFCreateError("Cannot create file " + path);
    }
    SyncFolder(folder.empty() ? std::string(".") : ToSystemPath(folder));
}

std::string ReadWholeFile(const AnsiString& path)
{
    TFileStream stream(path, fmOpenRead | fmShareDenyWrite);
    return ReadToEnd(stream);
}

double FileAgeDateTime(const AnsiString& path)
{
    struct stat info {};
    if (!StatPath(path, info))
        return -1;
    return UnixToDateTime(info.st_mtim.tv_sec) + info.st_mtim.tv_nsec / 86400e9;
}

bool FileSetDateTime(const AnsiString& path, double dateTime)
{
    if (!std::isfinite(dateTime))
        return false;
    std::int64_t seconds = DateTimeToUnix(dateTime);
    timespec times[2] {};
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(seconds);
    return !path.empty() && ::utimensat(AT_FDCWD, ToSystemPath(path).c_str(), times, 0) == 0;
}
