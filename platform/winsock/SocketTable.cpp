// Handles of our own for descriptors: Linux hands a closed descriptor's number to the next socket
// at once, so a message posted for the old socket would reach the new one. Our handles only grow.
#include "platform/winsock/SocketTable.h"
#include <QSocketNotifier>
#include <map>
#include <mutex>
#include <vector>

namespace winsock::detail {

SocketEntry::~SocketEntry() = default;

namespace {

struct Table {
    std::mutex mutex;
    std::map<SOCKET, EntryPtr> sockets;
    // Starts away from 0 and small numbers, so that a descriptor is never mistaken for a handle.
    SOCKET next = 0x4000;
};

// Never destroyed: sockets may still be closed by static destructors at exit.
Table& table()
{
    static auto* t = new Table;
    return *t;
}

} // namespace

SOCKET AddSocket(int fd, int type)
{
    auto entry = std::make_shared<SocketEntry>();
    entry->fd = fd;
    entry->type = type;
    std::lock_guard lock(table().mutex);
    entry->handle = table().next++;
    table().sockets[entry->handle] = entry;
    return entry->handle;
}

EntryPtr FindSocket(SOCKET s)
{
    std::lock_guard lock(table().mutex);
    auto it = table().sockets.find(s);
    return it == table().sockets.end() ? nullptr : it->second;
}

EntryPtr RemoveSocket(SOCKET s)
{
    std::lock_guard lock(table().mutex);
    auto it = table().sockets.find(s);
    if (it == table().sockets.end())
        return nullptr;
    EntryPtr entry = std::move(it->second);
    table().sockets.erase(it);
    return entry;
}

std::vector<EntryPtr> TakeAllSockets()
{
    std::lock_guard lock(table().mutex);
    std::vector<EntryPtr> all;
    for (auto& [handle, entry] : table().sockets)
        all.push_back(std::move(entry));
    table().sockets.clear();
    return all;
}

EntryPtr UsableSocket(SOCKET s)
{
    if (!Started()) {
        FailWith(WSANOTINITIALISED);
        return nullptr;
    }
    auto entry = FindSocket(s);
    if (!entry)
        FailWith(WSAENOTSOCK);
    return entry;
}

} // namespace winsock::detail
