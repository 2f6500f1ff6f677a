// One running copy of a program per folder. The copy that takes the folder holds a lock on a file
// in it and listens on a local socket; the kernel drops both when the process ends, however it
// ends, so a crashed copy never keeps the folder. The lock file is the authority: its holder runs
// whatever holds a socket name, and writes the name it listens on, drawn at random, into the file
// as one line. A later copy finds the folder taken and asks the holder through that socket to come
// forward, and only a holder of its own user.
#pragma once
#include "platform/core/AnsiString.h"
#include <functional>
#include <memory>

class QSocketNotifier;

class TFolderLock {
public:
    // `lockFileName` names the lock file in the folder and begins the socket's name.
    TFolderLock(const AnsiString& folder, const AnsiString& lockFileName);
    ~TFolderLock();
    TFolderLock(const TFolderLock&) = delete;
    TFolderLock& operator=(const TFolderLock&) = delete;

    // Takes the folder; false when a running copy holds it. A folder where no lock file can be
    // made (read-only, say) is guarded by a socket named after the folder, which only a copy of
    // this user holds for it.
    bool Acquire();
    // While the folder is held: `comeForward` runs for every later copy that asks, after the
    // copy was answered.
    void Serve(std::function<void()> comeForward);
    // From a later copy: asks the holder to come forward and waits up to `timeoutMs` for its
    // answer (a holder that is still starting may not listen yet). False when it can't be reached.
    bool AskHolderToComeForward(int timeoutMs) const;

private:
    bool AcquireFolderName();
    void AnswerWaitingCopies();

    AnsiString FFolder;
    AnsiString FLockFileName;
    int FLockFd = -1;
    int FListenFd = -1;
    std::function<void()> FComeForward;
    std::unique_ptr<QSocketNotifier> FNotifier;
};
