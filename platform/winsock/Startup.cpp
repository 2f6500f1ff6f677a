// WSAStartup and WSACleanup: a counted start, as the library keeps it. The last cleanup closes
// every socket still open and withdraws pending look-ups, as unloading the library does.
#include "platform/winsock/SocketTable.h"
#include <atomic>
#include <cstring>
#include <unistd.h>

namespace winsock {
namespace detail {

namespace {
std::atomic<int> startCount{0};
} // namespace

bool Started()
{
    return startCount.load() > 0;
}

void CancelAllLookups(); // AsyncLookup.cpp

} // namespace detail

int WSAStartup(WORD versionRequested, WSADATA* data)
{
    const int major = versionRequested & 0xFF;
    const int minor = (versionRequested >> 8) & 0xFF;
    if (major < 1 || (major == 1 && minor < 1))
        return WSAVERNOTSUPPORTED;
    if (!data)
        return WSAEFAULT;
    *data = WSADATA{};
    data->wVersion = 0x0101;
    data->wHighVersion = 0x0101;
    std::strncpy(data->szDescription, "POSIX sockets", sizeof data->szDescription - 1);
    std::strncpy(data->szSystemStatus, "Running", sizeof data->szSystemStatus - 1);
    data->iMaxSockets = 0xFFFF;
    data->iMaxUdpDg = 65467;
    ++detail::startCount;
    return 0;
}

int WSACleanup()
{
    int count = detail::startCount.load();
    while (count > 0 && !detail::startCount.compare_exchange_weak(count, count - 1)) {
    }
    if (count <= 0)
        return detail::FailWith(WSANOTINITIALISED);
    if (count == 1) {
        for (auto& entry : detail::TakeAllSockets()) {
            detail::StopAsyncSelect(*entry);
            ::close(entry->fd);
        }
        detail::CancelAllLookups();
    }
    return 0;
}

} // namespace winsock
