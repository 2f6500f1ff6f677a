#include "net/HttpUrl.h"
#include "platform/core/SysUtils.h"

namespace {

bool StartsWithNoCase(const AnsiString& s, const char* prefix)
{
    AnsiString p(prefix);
    return s.size() >= p.size() && SameText(s.substr(0, p.size()), p);
}

// The folder of a document path, with its trailing "/" ("/" when it names no folder).
AnsiString FolderOf(const AnsiString& path)
{
    auto slash = path.rfind('/');
    return slash == AnsiString::npos ? AnsiString("/") : path.substr(0, slash + 1);
}

// "/a/b/" -> "/a/"; the root stays the root.
AnsiString ParentFolder(const AnsiString& folder)
{
    AnsiString trimmed = folder;
    if (!trimmed.empty() && trimmed.back() == '/')
        trimmed.pop_back();
    return FolderOf(trimmed);
}

void SplitAuthority(const AnsiString& authority, AnsiString& user, AnsiString& pass, AnsiString& host,
                    AnsiString& port)
{
    auto colon = authority.rfind(':');
    auto at = authority.rfind('@');
    if (colon == AnsiString::npos && at == AnsiString::npos) {
        host = authority;
        return;
    }
    if (at != AnsiString::npos && (colon == AnsiString::npos || at > colon)) {
        host = authority.substr(at + 1);
    } else {
        port = authority.substr(colon + 1);
        std::size_t hostStart = at == AnsiString::npos ? 0 : at + 1;
        host = authority.substr(hostStart, colon - hostStart);
        if (at == AnsiString::npos)
            return;
    }
    AnsiString credentials = authority.substr(0, at);
    auto split = credentials.find(':');
    if (split == AnsiString::npos) {
        user = credentials;
    } else {
        user = credentials.substr(0, split);
        pass = credentials.substr(split + 1);
    }
}

} // namespace

void ParseURL(const AnsiString& url, AnsiString& proto, AnsiString& user, AnsiString& pass,
              AnsiString& host, AnsiString& port, AnsiString& path)
{
    const AnsiString currentPath = path;
    proto.clear();
    user.clear();
    pass.clear();
    host.clear();
    port.clear();
    path.clear();
    if (url.empty())
        return;

    if (url.compare(0, 2, "./") == 0) {
        path = FolderOf(currentPath) + url.substr(2);
        return;
    }
    if (url.compare(0, 3, "../") == 0) {
        AnsiString folder = FolderOf(currentPath);
        std::size_t rest = 0;
        while (url.compare(rest, 3, "../") == 0) {
            folder = ParentFolder(folder);
            rest += 3;
        }
        path = folder + url.substr(rest);
        return;
    }

    AnsiString remainder;
    auto scheme = url.find("://");
    if (scheme != AnsiString::npos) {
        proto = url.substr(0, scheme);
        remainder = url.substr(scheme + 3);
    } else if (url[0] == '/') {
        proto = "http";
        if (url.size() < 2 || url[1] != '/') {
            path = url;
            return;
        }
        // "//host/path": a host without a protocol.
        remainder = url.substr(2);
    } else if (StartsWithNoCase(url, "http:")) {
        proto = "http";
        if (url.size() > 6 && url[6] != '/') {
            path = url.substr(5);
            return;
        }
        remainder = url.substr(5);
    } else if (StartsWithNoCase(url, "mailto:")) {
        proto = "mailto";
        remainder = url.substr(7);
    } else {
        remainder = url;
    }

    auto pathStart = remainder.find_first_of("/?");
    if (pathStart != AnsiString::npos)
        path = remainder.substr(pathStart);
    SplitAuthority(remainder.substr(0, pathStart), user, pass, host, port);
}

int Posn(const AnsiString& sub, const AnsiString& s, int count)
{
    if (count == 0 || sub.empty())
        return count > 0 ? static_cast<int>(s.size()) + 1 : 0;
    if (count > 0) {
        std::size_t from = 0;
        for (int found = 0;; ++found) {
            auto at = s.find(sub, from);
            if (at == AnsiString::npos)
                return static_cast<int>(s.size()) + 1;
            if (found + 1 == count)
                return static_cast<int>(at) + 1;
            from = at + 1;
        }
    }
    const long long wanted = -static_cast<long long>(count);
    std::size_t from = AnsiString::npos;
    for (long long found = 0;; ++found) {
        auto at = s.rfind(sub, from);
        if (at == AnsiString::npos)
            return 0;
        if (found + 1 == wanted)
            return static_cast<int>(at) + 1;
        if (at == 0)
            return 0;
        from = at - 1;
    }
}
