// One running copy per folder, as start-up decides it: the copy that takes the folder runs; a
// later copy brings the running one forward, or tells the user it can't, and ends. A copy that
// can't take the folder's lock, or finds it held by another user's copy, says so and ends.
#pragma once
#include "platform/core/AnsiString.h"

class TFolderLock;

enum class TFolderStart {
    Runs,                 // this copy took the folder
    HolderCameForward,    // the running copy of this user came forward in its stead
    Refused,              // this copy doesn't run and told the user why in a box
};
// Runs when this copy took the folder. Otherwise it told the user why it doesn't run, or asked a
// holder of its own user to come forward, waiting up to `holderAnswerMs`, and showed the warning
// below when no answer came.
TFolderStart TakeFolderOrBringHolderForward(TFolderLock& lock, int holderAnswerMs);
// The warning for a holder that can't be reached, naming the folder.
AnsiString UnreachableCopyText();
// The warning for a folder held by `user`'s copy, naming the folder.
AnsiString AnotherUsersCopyText(const AnsiString& user);
// The error for a lock file that can't be locked, with the system's reason.
AnsiString UnavailableLockText(const AnsiString& lockFile, const AnsiString& reason);
