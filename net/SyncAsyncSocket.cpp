#include "net/SyncAsyncSocket.h"
#include "net/MessageWait.h"
#include "platform/messages/Application.h"

int TCustomSyncAsyncSocket::Synchronize(const std::function<void()>& proc, bool& doneFlag)
{
    doneFlag = false;
    if (proc)
        proc();
    return WaitUntilReady(doneFlag);
}

int TCustomSyncAsyncSocket::WaitUntilReady(bool& doneFlag)
{
    // A monotonic clock in milliseconds since start-up: no wrap-around to allow for. The wait
    // sleeps until something happens instead of spinning through the queue.
    const std::int64_t deadline = FTimeout > 0 ? MonotonicMs() + FTimeout : -1;
    for (;;) {
        if (doneFlag)
            return 0;
        if (deadline >= 0 && MonotonicMs() >= deadline)
            return WSA_WSOCKET_TIMEOUT;
        if ((Application && Application->Terminated()) || QuitSeen())
            return WSA_WSOCKET_TIMEOUT;
        WaitForMessageUntil(deadline);
    }
}
