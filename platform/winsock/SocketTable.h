// Internal: our socket handles and what stands behind each one.
#pragma once
#include "platform/winsock/Winsock.h"
#include <memory>

class QSocketNotifier;

namespace winsock::detail {

struct SocketEntry {
    SOCKET handle = INVALID_SOCKET;
    int fd = -1;
    int type = 0; // SOCK_STREAM or SOCK_DGRAM
    bool nonBlocking = false;
    bool listening = false;
    bool connecting = false; // a non-blocking connect whose outcome is not yet reported
    bool closeReported = false; // FD_CLOSE went out; reading stays off for good
    // WSAAsyncSelect: where events go and which ones.
    HWND window = 0;
    UINT msg = 0;
    long events = 0;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;
    ~SocketEntry();
};

using EntryPtr = std::shared_ptr<SocketEntry>;

// Registers a descriptor under a new handle (handles are never reused).
SOCKET AddSocket(int fd, int type);
EntryPtr FindSocket(SOCKET s);
// Removes the handle and hands back its entry; the caller closes the descriptor.
EntryPtr RemoveSocket(SOCKET s);
// Every entry, for WSACleanup.
std::vector<EntryPtr> TakeAllSockets();

// Startup bookkeeping: calls that need the library fail with WSANOTINITIALISED until then.
bool Started();

// Last error helpers: store the mapped errno or a code, return SOCKET_ERROR.
int FailWith(int wsaError);
int FailWithErrno();
int MapErrno(int error);

// Looks the handle up and checks startup; sets the error and returns null on failure.
EntryPtr UsableSocket(SOCKET s);

// WSAAsyncSelect hooks for the calls that re-enable an event (see AsyncSelect.cpp).
void ReadingConsumed(SocketEntry& entry);
void SendWouldBlock(SocketEntry& entry);
void ConnectStarted(SocketEntry& entry);
void StopAsyncSelect(SocketEntry& entry);

} // namespace winsock::detail
