#include "net/HttpRequestHeader.h"
#include "net/HttpDate.h"
#include "net/HttpEncoding.h"
#include "platform/core/SysUtils.h"

std::vector<AnsiString> RequestHeaderLines(const HttpRequestHeaderFields& f)
{
    const bool post = f.Method == "POST";
    std::vector<AnsiString> lines;
    lines.push_back(f.Method + " " + f.RequestPath + " HTTP/" + f.Version);
    if (!f.Sender.empty())
        lines.push_back("From: " + f.Sender);
    if (!f.Accept.empty())
        lines.push_back("Accept: " + f.Accept);
    if (!f.Reference.empty())
        lines.push_back("Referer: " + f.Reference);
    if (post && !f.ContentTypePost.empty())
        lines.push_back("Content-Type: " + f.ContentTypePost);
    if (!f.Agent.empty())
        lines.push_back("User-Agent: " + f.Agent);
    lines.push_back("Host: " + f.TargetHost);
    if (f.NoCache)
        lines.push_back("Pragma: no-cache");
    if (post)
        lines.push_back("Content-Length: " + IntToStr(f.ContentLength));
    if (f.ModifiedSince != 0)
        lines.push_back("If-Modified-Since: " + RFC1123_Date(f.ModifiedSince) + " GMT");
    if (!f.Username.empty())
        lines.push_back("Authorization: Basic " + EncodeStr(1, f.Username + ":" + f.Password));
    if (f.UsingProxy && !f.ProxyUsername.empty())
        lines.push_back("Proxy-Authorization: Basic " + EncodeStr(1, f.ProxyUsername + ":" + f.ProxyPassword));
    if (!f.Cookie.empty())
        lines.push_back("Cookie: " + f.Cookie);
    if (!f.ContentRangeBegin.empty() || !f.ContentRangeEnd.empty())
        lines.push_back("Range: bytes=" + f.ContentRangeBegin + "-" + f.ContentRangeEnd);
    return lines;
}
