// Moving a batch of files into a folder whose look-ups ignore letter case, all or nothing.
#pragma once
#include "platform/core/AnsiString.h"
#include <string>
#include <vector>

// Moves the files `names` (as the file system spells them) from `source` into `target`, each over
// the target's file of the same name in any letter case (the exact name first, else the first in
// sorted order), in one listing of each folder however many files there are. Of names equal but
// for letter case the last one wins; names that are no regular file in `source` are passed over.
// When a file can't be moved, every file moved before it is put back and the one it replaced
// restored, so `target` is left as it was, and EInOutError is raised. The replaced files end up in
// `source` (swapped into the places of the files that replaced them, or kept in a new folder
// there), which is the caller's to remove.
void MoveFilesIgnoringCase(const AnsiString& source, const std::vector<std::string>& names, const AnsiString& target);
