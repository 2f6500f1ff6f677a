#include "unpack/MemberPath.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

std::vector<AnsiString> RawParts(const AnsiString& name)
{
    std::vector<AnsiString> parts(1);
    for (char c : name) {
        if (IsSeparator(c))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

} // namespace

MemberPath SplitMemberName(const AnsiString& name)
{
    MemberPath result;
    std::vector<AnsiString> parts = RawParts(name);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const AnsiString& part = parts[i];
        if (part == "..")
            result.Escapes = true;
        else if (part.empty() || part == ".")
            continue;
        else if (i + 1 == parts.size())
            result.FileName = part;
        else
            result.Folders.push_back(part);
    }
    return result;
}

std::string CanonicalPath(const std::string& systemPath)
{
    char resolved[PATH_MAX];
    if (::realpath(systemPath.c_str(), resolved) == nullptr)
        return std::string();
    return resolved;
}

bool LiesInside(const std::string& canonicalRoot, const std::string& canonicalPath)
{
    if (canonicalRoot.empty() || canonicalPath.empty())
        return false;
    if (canonicalPath == canonicalRoot)
        return true;
    std::string prefix = canonicalRoot.back() == '/' ? canonicalRoot : canonicalRoot + "/";
    return canonicalPath.compare(0, prefix.size(), prefix) == 0;
}

std::string MakeFolderInside(const std::string& canonicalRoot, const std::vector<AnsiString>& folders)
{
    std::string current = canonicalRoot;
    for (const AnsiString& part : folders) {
        std::string next = (current.back() == '/' ? current : current + "/") + ToSystemPath(part);
        struct stat info;
        if (::lstat(next.c_str(), &info) != 0 && ::mkdir(next.c_str(), 0777) != 0 && errno != EEXIST)
            throw EInOutError("Unable to create directory " + FromSystemPath(next));
        current = CanonicalPath(next);
        if (!LiesInside(canonicalRoot, current))
            return std::string();
        if (::stat(current.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            throw EInOutError("Unable to create directory " + FromSystemPath(next));
    }
    return current;
}
