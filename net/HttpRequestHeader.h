// The lines of a request header, in the order the data server and proxies have always seen.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Clock.h"
#include <cstdint>
#include <vector>

struct HttpRequestHeaderFields {
    AnsiString Method;           // "GET", "POST" or "HEAD"
    AnsiString RequestPath;      // path, or the absolute URI through a proxy
    AnsiString Version = "1.0";
    AnsiString Sender;
    AnsiString Accept;
    AnsiString Reference;
    AnsiString ContentTypePost;
    AnsiString Agent;
    AnsiString TargetHost;       // never with a port
    bool NoCache = false;
    std::int64_t ContentLength = 0; // of a POST body
    TDateTime ModifiedSince = 0;
    AnsiString Username, Password;
    bool UsingProxy = false;
    AnsiString ProxyUsername, ProxyPassword;
    AnsiString Cookie;
    AnsiString ContentRangeBegin, ContentRangeEnd;
};

// The header lines without their line ends and without the closing empty line.
std::vector<AnsiString> RequestHeaderLines(const HttpRequestHeaderFields& fields);
