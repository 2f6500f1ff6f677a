// Archive member names are outside input: they become paths only through these routines, which
// keep every member inside the unpack folder whatever the name or the folder's symlinks say.
// Names are Windows-1252; paths and the checks on them are the file system's own (UTF-8), so no
// conversion can make two different folders compare equal.
#pragma once
#include "platform/core/AnsiString.h"
#include <vector>

struct MemberPath {
    std::vector<AnsiString> Folders; // no part is empty, "." or ".."
    AnsiString FileName;             // empty when the name ends in a separator or "."
    bool Escapes = false;            // a ".." part: the member must not be written at all
};

// Splits on '/' and '\'; empty and "." parts are dropped, so "/tmp/x" and "./x" stay relative.
MemberPath SplitMemberName(const AnsiString& name);

// The resolved absolute path, or an empty string when it does not exist.
std::string CanonicalPath(const std::string& systemPath);
bool LiesInside(const std::string& canonicalRoot, const std::string& canonicalPath);

// Creates the folders below canonicalRoot one level at a time and returns the canonical path of
// the last one, or an empty string when a level (a symlink, say) resolves outside the root, in
// which case nothing is created beyond it. Raises EInOutError when a level can't be created.
std::string MakeFolderInside(const std::string& canonicalRoot, const std::vector<AnsiString>& folders);
