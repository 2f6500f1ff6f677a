// What an atomic write leaves behind when its process is killed between making its temporary and
// renaming it over the target.
#pragma once
#include "platform/core/AnsiString.h"

// Removes the leftovers of AtomicWriteFile(path): the regular files of path's folder named "." +
// its name + "." + six letters or digits. Links and every other name stay untouched.
void RemoveWriteLeftovers(const AnsiString& path);
