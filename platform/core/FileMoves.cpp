#include "platform/core/FileMoves.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace {

enum class EntryKind { File, Folder, Other };

struct Move {
    std::string name;
    std::string from;
    std::string to;
    bool replaces = false;
    bool swapped = false; // the replaced file lies at `from` now
    std::string kept;     // else the replaced file's second name, until every file has moved
};

std::string Folded(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), cp1252::ToUpperAscii);
    return name;
}

std::string WithSlash(const AnsiString& folder)
{
    return ToSystemPath(IncludeTrailingPathDelimiter(folder.empty() ? AnsiString(".") : folder));
}

EntryKind KindOf(const std::string& folder, const dirent& entry)
{
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN) {
        struct stat info {};
        if (::lstat((folder + entry.d_name).c_str(), &info) != 0)
            return EntryKind::Other;
        type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_LNK;
    }
    return type == DT_REG ? EntryKind::File : type == DT_DIR ? EntryKind::Folder : EntryKind::Other;
}

// A folder listed once: what each name is, and for a name the entry it stands for when letter
// case is ignored (the exact name when it is there, else the first in sorted order).
class FolderIndex {
public:
    explicit FolderIndex(const std::string& folder)
    {
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (dirent* entry = ::readdir(dir))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    FKinds.emplace(entry->d_name, KindOf(folder, *entry));
            ::closedir(dir);
        }
        for (const auto& [name, kind] : FKinds) {
            auto [at, fresh] = FFolded.try_emplace(Folded(name), name);
            if (!fresh && name < at->second)
                at->second = name;
        }
    }

    const EntryKind* Kind(const std::string& name) const
    {
        auto found = FKinds.find(name);
        return found == FKinds.end() ? nullptr : &found->second;
    }

    const std::string& Resolve(const std::string& name) const
    {
        if (FKinds.count(name))
            return name;
        auto found = FFolded.find(Folded(name));
        return found == FFolded.end() ? name : found->second;
    }

private:
    std::unordered_map<std::string, EntryKind> FKinds;
    std::unordered_map<std::string, std::string> FFolded;
};

// The names that move, the last of those equal but for letter case standing in the first's place.
std::vector<std::string> Winners(const FolderIndex& source, const std::vector<std::string>& names)
{
    std::vector<std::string> winners;
    std::unordered_map<std::string, std::size_t> byFolded;
    for (const std::string& name : names) {
        const EntryKind* kind = source.Kind(name);
        if (!kind || *kind != EntryKind::File)
            continue;
        auto [at, fresh] = byFolded.try_emplace(Folded(name), winners.size());
        if (fresh)
            winners.push_back(name);
        else
            winners[at->second] = name;
    }
    return winners;
}

// Keeps the file a move replaces under a second name in `keptFolder`, or as a copy where the
// file system has no second names.
bool Keep(Move& move, const std::string& keptFolder, std::size_t index)
{
    move.kept = keptFolder + "/" + std::to_string(index);
    if (::link(move.to.c_str(), move.kept.c_str()) == 0)
        return true;
    try {
        AtomicWriteFile(FromSystemPath(move.kept), ReadWholeFile(FromSystemPath(move.to)));
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

// One file into place. Where the file system can swap two names in one step the replaced file
// simply takes the new one's place in the source folder; elsewhere it is kept first, in a folder
// made inside the source folder on first need.
bool MoveOne(Move& move, std::string& keptFolder, std::size_t index)
{
    if (!move.replaces)
        return ::rename(move.from.c_str(), move.to.c_str()) == 0;
    if (::renameat2(AT_FDCWD, move.from.c_str(), AT_FDCWD, move.to.c_str(), RENAME_EXCHANGE) == 0)
        return move.swapped = true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (keptFolder.empty()) {
        std::string made = move.from.substr(0, move.from.rfind('/') + 1) + "replaced.XXXXXX";
        if (!::mkdtemp(made.data()))
            return false;
        keptFolder = made;
    }
    return Keep(move, keptFolder, index) && ::rename(move.from.c_str(), move.to.c_str()) == 0;
}

void PutBack(const std::vector<Move>& moves, std::size_t count)
{
    while (count > 0) {
        const Move& move = moves[--count];
        if (!move.replaces)
            ::unlink(move.to.c_str());
        else if (move.swapped)
            ::renameat2(AT_FDCWD, move.from.c_str(), AT_FDCWD, move.to.c_str(), RENAME_EXCHANGE);
        else
            ::rename(move.kept.c_str(), move.to.c_str());
    }
}

EInOutError CannotMove(const Move& move, const AnsiString& target, int error)
{
    return EInOutError("Cannot move file " + FromSystemPath(move.name) + " to " + target + " ("
                       + std::strerror(error) + ")");
}

} // namespace

void MoveFilesIgnoringCase(const AnsiString& source, const std::vector<std::string>& names, const AnsiString& target)
{
    const std::string from = WithSlash(source);
    const std::string to = WithSlash(target);
    const FolderIndex sourceIndex(from);
    const FolderIndex targetIndex(to);
    std::vector<Move> moves;
    for (const std::string& name : Winners(sourceIndex, names)) {
        const std::string& stored = targetIndex.Resolve(name);
        Move move;
        move.name = name;
        move.from = from + name;
        move.to = to + stored;
        if (const EntryKind* kind = targetIndex.Kind(stored)) {
            // Found before anything has moved: a folder can't be replaced by a file.
            if (*kind == EntryKind::Folder)
                throw CannotMove(move, target, EISDIR);
            move.replaces = true;
        }
        moves.push_back(std::move(move));
    }
    std::string keptFolder; // made on first need, inside the source folder
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const int fault = FileFault(FromSystemPath(moves[i].to), true);
        if (fault || !MoveOne(moves[i], keptFolder, i)) {
            const int error = fault ? fault : errno;
            PutBack(moves, i);
            throw CannotMove(moves[i], target, error);
        }
    }
}
