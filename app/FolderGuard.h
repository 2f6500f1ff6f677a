// One running copy per folder, as start-up decides it: the copy that takes the folder runs; a
// later copy brings the running one forward, or tells the user it can't, and ends.
#pragma once
#include "platform/core/AnsiString.h"

class TFolderLock;

// True when this copy took the folder and runs. Otherwise it asked the holder to come forward,
// waiting up to `holderAnswerMs`, and showed the warning below when no answer came.
bool TakeFolderOrBringHolderForward(TFolderLock& lock, int holderAnswerMs);
// The warning for a holder that can't be reached, naming the folder.
AnsiString UnreachableCopyText();
