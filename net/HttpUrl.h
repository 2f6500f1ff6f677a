// Splitting URLs into their parts, and the counted substring search the URL code uses.
#pragma once
#include "platform/core/AnsiString.h"

// Splits `url` into protocol, user, password, host, port and path. `path` comes in as the
// current document's path, against which "./" and "../" URLs are resolved; every output is
// cleared first. Parts the URL does not name come back empty.
void ParseURL(const AnsiString& url, AnsiString& proto, AnsiString& user, AnsiString& pass,
              AnsiString& host, AnsiString& port, AnsiString& path);

// 1-based position of the count-th occurrence of `sub` in `s`: from the left for a positive
// count (length + 1 when there are fewer), from the right for a negative one (0 when there are
// fewer); 0 for a count of 0. Occurrences may overlap.
int Posn(const AnsiString& sub, const AnsiString& s, int count);
