// TCustomSyncAsyncSocket: waits, keeping the message queue running, until a flag is set.
#pragma once
#include "net/LineAsyncSocket.h"

// WaitUntilReady's answer when the wait ran out or the program is quitting.
constexpr int WSA_WSOCKET_TIMEOUT = 12001;

class TCustomSyncAsyncSocket : public TCustomLineAsyncSocket {
public:
    using TCustomLineAsyncSocket::TCustomLineAsyncSocket;

    // Milliseconds; 0 waits without limit.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int milliseconds) { FTimeout = milliseconds; }

    // Clears `doneFlag`, runs `proc` when given, then waits for the flag.
    virtual int Synchronize(const std::function<void()>& proc, bool& doneFlag);
    // 0 once `doneFlag` is set; WSA_WSOCKET_TIMEOUT after Timeout or when the program quits.
    virtual int WaitUntilReady(bool& doneFlag);

private:
    int FTimeout = 0;
};
