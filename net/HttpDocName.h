// The document name a request is known by: the last part of its path.
#pragma once
#include "platform/core/AnsiString.h"

// "/dir/file.txt?x=1" gives "file.txt", "/dir/" gives "dir", "" and "/" give "document.htm".
AnsiString DocumentName(const AnsiString& path);
// Replaces what follows the last "." by `extension`, or appends "." and it when there is none.
void ReplaceExt(AnsiString& name, const AnsiString& extension);
// The extension of a document name from its last ".", lower-cased; empty when it has none.
AnsiString DocumentExtension(const AnsiString& name);
