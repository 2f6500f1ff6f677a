#include "platform/core/FileMoves.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace {

struct Move {
    std::string name;
    std::string from;
    std::string to;
    bool replaces = false;
    std::string kept;  // the file it replaces, until every file has moved
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

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

EInOutError CannotMove(const Move& move, const AnsiString& target, int error)
{
    return EInOutError("Cannot move file " + FromSystemPath(move.name) + " to " + target + " ("
                       + std::strerror(error) + ")");
}

// The target folder's names, listed once: the exact name when it is there, else the first in
// sorted order that differs only in letter case.
class FolderIndex {
public:
    explicit FolderIndex(const std::string& folder)
    {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (dirent* entry = ::readdir(dir))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    names.emplace_back(entry->d_name);
            ::closedir(dir);
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            FFolded.emplace(Folded(name), name);
            FExact.insert(name);
        }
    }

    const std::string& Resolve(const std::string& name) const
    {
        if (FExact.count(name))
            return name;
        auto found = FFolded.find(Folded(name));
        return found == FFolded.end() ? name : found->second;
    }

private:
    std::unordered_map<std::string, std::string> FFolded;
    std::unordered_set<std::string> FExact;
};

// The names that move, the last of those equal but for letter case standing in the first's place.
std::vector<std::string> Winners(const std::string& source, const std::vector<std::string>& names)
{
    std::vector<std::string> winners;
    std::unordered_map<std::string, std::size_t> byFolded;
    for (const std::string& name : names) {
        if (!IsRegularFile(source + name))
            continue;
        auto [at, fresh] = byFolded.try_emplace(Folded(name), winners.size());
        if (fresh)
            winners.push_back(name);
        else
            winners[at->second] = name;
    }
    return winners;
}

// The replaced file stays reachable under `kept`: a second name for it where the file system
// allows one, else a copy.
bool Keep(const Move& move)
{
    if (::link(move.to.c_str(), move.kept.c_str()) == 0)
        return true;
    try {
        AtomicWriteFile(FromSystemPath(move.kept), ReadWholeFile(FromSystemPath(move.to)));
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

void PutBack(const std::vector<Move>& moves, std::size_t count)
{
    while (count > 0) {
        const Move& move = moves[--count];
        if (!move.replaces)
            ::unlink(move.to.c_str());
        else
            ::rename(move.kept.c_str(), move.to.c_str());
    }
}

} // namespace

void MoveFilesIgnoringCase(const AnsiString& source, const std::vector<std::string>& names, const AnsiString& target)
{
    const std::string from = WithSlash(source);
    const std::string to = WithSlash(target);
    const FolderIndex index(to);
    std::vector<Move> moves;
    bool replacing = false;
    for (const std::string& name : Winners(from, names)) {
        Move move {name, from + name, to + index.Resolve(name), false, {}};
        struct stat info {};
        if (::lstat(move.to.c_str(), &info) == 0) {
            // Found before anything has moved: a folder can't be replaced by a file.
            if (S_ISDIR(info.st_mode))
                throw CannotMove(move, target, EISDIR);
            move.replaces = replacing = true;
        }
        moves.push_back(std::move(move));
    }
    std::string keptFolder = from + "replaced.XXXXXX";
    if (replacing && !::mkdtemp(keptFolder.data()))
        throw EInOutError("Unable to create directory " + FromSystemPath(keptFolder));
    for (std::size_t i = 0; i < moves.size(); ++i) {
        Move& move = moves[i];
        if (move.replaces) {
            move.kept = keptFolder + "/" + std::to_string(i);
            if (!Keep(move)) {
                const int error = errno;
                PutBack(moves, i);
                throw CannotMove(move, target, error);
            }
        }
        const int fault = FileFault(FromSystemPath(move.to), true);
        if (fault || ::rename(move.from.c_str(), move.to.c_str()) != 0) {
            const int error = fault ? fault : errno;
            PutBack(moves, i);
            throw CannotMove(move, target, error);
        }
    }
}
