// The registry's file: the keys that outlive the process, as lines of text. A key is a line
// "[ROOT\key\sub]" followed by its values, "name"="text" or "name"=dword:hex. Names and texts
// are Windows-1252 bytes with control characters, '%', '"', '[', ']' and '\' written as %HH.
// Reading keeps what it can: a line it does not understand is skipped, never an error.
#pragma once
#include "platform/services/RegistryTree.h"
#include <string>

// The roots the file names; a key under another root lives in the process only.
bool IsNamedRegRoot(HKEY root);
// Keys that stand for the system's own settings (under "Software\Microsoft"): on Linux only this
// process's stand-ins read them, so they live in the process only and the file never holds them.
bool IsProcessOnlyKey(HKEY root, const std::vector<AnsiString>& path);
// The folded path of that subtree under a named root.
const std::vector<AnsiString>& ProcessOnlySubtree();

RegRoots ParseRegistryFile(const std::string& bytes);
// The keys of named roots that are not process-only, every key with its values.
std::string FormatRegistryFile(const RegRoots& roots);

// "registry" in the program's own folder of the user's configuration folder ($XDG_CONFIG_HOME,
// else ~/.config), as a system path; empty when neither is known.
std::string RegistryFilePath();
