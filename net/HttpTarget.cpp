#include "net/HttpTarget.h"
#include "net/HttpUrl.h"
#include "platform/core/SysUtils.h"
#include <cstdio>
#include <vector>

namespace {

struct UrlParts {
    AnsiString proto, user, pass, host, port, path;
};

UrlParts Split(const AnsiString& url)
{
    UrlParts p;
    ParseURL(url, p.proto, p.user, p.pass, p.host, p.port, p.path);
    return p;
}

AnsiString Origin(const UrlParts& p)
{
    return (p.proto.empty() ? AnsiString("http") : p.proto) + "://" + p.host + (p.port.empty() ? "" : ":" + p.port);
}

// "/a/b/../c/./d" -> "/a/c/d"; never climbs above the root.
AnsiString RemoveDotSegments(const AnsiString& path)
{
    std::vector<AnsiString> kept;
    std::size_t start = 1;
    while (start <= path.size()) {
        auto slash = path.find('/', start);
        AnsiString segment = path.substr(start, slash == AnsiString::npos ? AnsiString::npos : slash - start);
        bool last = slash == AnsiString::npos;
        if (segment == "..") {
            if (!kept.empty())
                kept.pop_back();
            if (last)
                kept.emplace_back();
        } else if (segment == ".") {
            if (last)
                kept.emplace_back();
        } else {
            kept.push_back(segment);
        }
        if (last)
            break;
        start = slash + 1;
    }
    AnsiString out;
    for (const auto& segment : kept)
        out += "/" + segment;
    return out.empty() ? AnsiString("/") : out;
}

// The dot segments of the path part only; a query stays as it is.
AnsiString RemoveDotSegmentsOfPath(const AnsiString& pathAndQuery)
{
    auto query = pathAndQuery.find('?');
    AnsiString path = pathAndQuery.substr(0, query);
    AnsiString rest = query == AnsiString::npos ? AnsiString() : pathAndQuery.substr(query);
    return RemoveDotSegments(path) + rest;
}

AnsiString EscapeUnsafeBytes(const AnsiString& s)
{
    AnsiString out;
    for (char c : s) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsAbsolute(const AnsiString& location)
{
    auto scheme = location.find("://");
    return scheme != AnsiString::npos && location.find_first_of("/?") > scheme;
}

} // namespace

HttpTarget RequestTarget(const AnsiString& url, const AnsiString& proxy, const AnsiString& proxyPort)
{
    HttpTarget t;
    UrlParts u = Split(url);
    t.TargetHost = u.host;
    t.Path = u.path;
    t.User = u.user;
    t.Pass = u.pass;
    if (!proxy.empty()) {
        t.RequestPath = Origin(u) + u.path;
        UrlParts p = Split(proxy);
        t.ConnectHost = p.host;
        t.ConnectPort = p.port.empty() ? proxyPort : p.port;
    } else {
        t.RequestPath = u.path;
        t.ConnectHost = u.host;
        t.ConnectPort = u.port.empty() ? AnsiString("80") : u.port;
    }
    if (t.RequestPath.empty())
        t.RequestPath = "/";
    return t;
}

AnsiString ResolveLocation(const AnsiString& currentUrl, const AnsiString& location)
{
    AnsiString loc = Trim(location);
    loc = loc.substr(0, loc.find('#'));
    if (IsAbsolute(loc)) {
        UrlParts target = Split(loc);
        return EscapeUnsafeBytes(Origin(target) + RemoveDotSegmentsOfPath(target.path));
    }
    UrlParts base = Split(currentUrl);
    AnsiString basePath = base.path.empty() ? AnsiString("/") : base.path;
    AnsiString baseDocument = basePath.substr(0, basePath.find('?'));
    AnsiString path;
    if (loc.compare(0, 2, "//") == 0)
        return ResolveLocation(currentUrl, (base.proto.empty() ? "http" : base.proto) + ":" + loc);
    if (loc.empty())
        path = basePath;
    else if (loc[0] == '/')
        path = loc;
    else if (loc[0] == '?')
        path = baseDocument + loc;
    else
        path = baseDocument.substr(0, baseDocument.rfind('/') + 1) + loc;
    return EscapeUnsafeBytes(Origin(base) + RemoveDotSegmentsOfPath(path));
}

void RedirectTarget(HttpTarget& target, const AnsiString& url, bool usingProxy)
{
    UrlParts u = Split(url);
    target.TargetHost = u.host;
    if (usingProxy) {
        target.RequestPath = url;
        return;
    }
    target.ConnectHost = u.host;
    target.ConnectPort = u.port.empty() ? AnsiString("80") : u.port;
    target.RequestPath = u.path.empty() ? AnsiString("/") : u.path;
}
