// Where a request goes: the host and port to connect to, the Host line and the request line's
// path, worked out from the URL and the proxy, and again for each redirect.
#pragma once
#include "platform/core/AnsiString.h"

struct HttpTarget {
    AnsiString ConnectHost;  // the proxy when one is used
    AnsiString ConnectPort;
    AnsiString TargetHost;   // the URL's host, for the Host line
    AnsiString RequestPath;  // the path, or the absolute URI through a proxy
    AnsiString Path;         // the URL's own path, for the document name
    AnsiString User, Pass;   // credentials written into the URL, if any
};

// The target of `url`, directly (empty proxy) or through `proxy` ("host[:port]", with
// `proxyPort` when it names none).
HttpTarget RequestTarget(const AnsiString& url, const AnsiString& proxy, const AnsiString& proxyPort);

// The absolute URL that a Location value names, read against the URL it answered: an absolute
// URL as it is, "//host/..." with the current protocol, "/path" on the current host and port,
// "?query" on the current path, anything else relative to the current folder. "." and ".."
// segments are resolved, a fragment is dropped, credentials are left out, and bytes that may
// not appear in a request line are %-escaped.
AnsiString ResolveLocation(const AnsiString& currentUrl, const AnsiString& location);

// Points `target` at the absolute URL `url`. Through a proxy the connection stays with the
// proxy and the request line carries the URL.
void RedirectTarget(HttpTarget& target, const AnsiString& url, bool usingProxy);
