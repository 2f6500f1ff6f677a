// Asynchronous name look-ups. getaddrinfo runs on a worker thread that sees only the name and
// keeps its answer in the request table; the answer is then taken up on the UI thread through a
// hidden window of our own, written into the caller's buffer there and handed to the caller's
// window at once. So a request cancelled before that moment simply vanishes, and no worker ever
// touches memory of the program's objects.
#include "platform/winsock/HostEntry.h"
#include "platform/winsock/SocketTable.h"
#include <arpa/inet.h>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

namespace winsock {

using namespace detail;

namespace {

struct Request {
    HWND window = 0;
    UINT msg = 0;
    char* buffer = nullptr;
    int length = 0;
    HostResult result;
};

struct Lookups {
    std::mutex mutex;
    std::map<HANDLE, Request> requests;
    HANDLE next = 1;
    HWND relay = 0;
};

// Never destroyed: a worker may finish while the process exits.
Lookups& lookups()
{
    static auto* l = new Lookups;
    return *l;
}

void Deliver(HANDLE handle)
{
    Request request;
    {
        std::lock_guard lock(lookups().mutex);
        auto it = lookups().requests.find(handle);
        if (it == lookups().requests.end())
            return; // cancelled meanwhile
        request = std::move(it->second);
        lookups().requests.erase(it);
    }
    int error = request.result.error;
    int needed = 0;
    if (error == 0) {
        needed = PackHostEntry(request.result, request.buffer, request.length);
        if (needed > request.length)
            error = WSAENOBUFS;
    }
    LPARAM reply = static_cast<LPARAM>((static_cast<std::uint32_t>(error & 0xFFFF) << 16) | (needed & 0xFFFF));
    SendMessage(request.window, request.msg, handle, reply);
}

// Made on the UI thread by the first look-up; replies come back to that thread through it.
HWND RelayWindow()
{
    std::lock_guard lock(lookups().mutex);
    if (!lookups().relay)
        lookups().relay = AllocateHWnd([](TMessage& m) { Deliver(m.WParam); });
    return lookups().relay;
}

template <typename Resolve>
HANDLE Start(HWND window, UINT msg, char* buffer, int length, Resolve resolve)
{
    if (!Started()) {
        FailWith(WSANOTINITIALISED);
        return 0;
    }
    if (!IsWindow(window) || !buffer || length <= 0) {
        FailWith(WSAEINVAL);
        return 0;
    }
    HWND relay = RelayWindow();
    HANDLE handle;
    {
        std::lock_guard lock(lookups().mutex);
        handle = lookups().next++;
        lookups().requests[handle] = Request{window, msg, buffer, length, {}};
    }
    std::thread([handle, relay, resolve] {
        HostResult result = resolve();
        {
            std::lock_guard lock(lookups().mutex);
            auto it = lookups().requests.find(handle);
            if (it == lookups().requests.end())
                return;
            it->second.result = std::move(result);
        }
        PostMessage(relay, WM_USER, handle, 0);
    }).detach();
    return handle;
}

} // namespace

namespace detail {

void CancelAllLookups()
{
    std::lock_guard lock(lookups().mutex);
    lookups().requests.clear();
}

} // namespace detail

HANDLE WSAAsyncGetHostByName(HWND window, UINT msg, const char* name, char* buffer, int bufferLength)
{
    if (!name) {
        FailWith(WSAEFAULT);
        return 0;
    }
    std::string host = name;
    return Start(window, msg, buffer, bufferLength, [host] { return ResolveName(host); });
}

HANDLE WSAAsyncGetHostByAddr(HWND window, UINT msg, const char* address, int length, int type,
                             char* buffer, int bufferLength)
{
    if (!address || length != 4 || type != AF_INET) {
        FailWith(WSAEINVAL);
        return 0;
    }
    std::uint32_t raw;
    std::memcpy(&raw, address, 4);
    return Start(window, msg, buffer, bufferLength, [raw] { return ResolveAddress(raw); });
}

int WSACancelAsyncRequest(HANDLE request)
{
    if (!Started())
        return FailWith(WSANOTINITIALISED);
    std::lock_guard lock(lookups().mutex);
    // A finished request whose reply waits in the queue is withdrawn as well.
    if (lookups().requests.erase(request) == 0)
        return FailWith(WSAEINVAL);
    return 0;
}

} // namespace winsock
