// The process's registry: the keys of the registry file, read again whenever the file changed
// (another copy of the program may have saved), beside the keys that live in the process only.
// Only the user-interface thread uses it.
#pragma once
#include "platform/services/RegistryTree.h"

RegKey& RegistryRoot(HKEY root);
// Saves the file after a change at root\path; a change to a process-only key saves nothing.
// False when the file could not be written (or was there but could not be read, so writing
// would lose it): the store then goes back to what the file holds.
bool SaveRegistryChange(HKEY root, const std::vector<AnsiString>& path);
