// Hidden message windows on Qt's event loop. Every posted message travels as one custom event to
// a single router object on the UI thread, which looks the window up when the event is delivered:
// a window freed in between is simply no longer there, and since handles are never reused a
// late message can never reach a newer window.
#include "platform/messages/Messages.h"
#include "platform/messages/Application.h"
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct MessageWindow {
    TWndMethod method;
};

class WindowRegistry {
public:
    HWND Add(TWndMethod method)
    {
        std::lock_guard lock(FMutex);
        HWND handle = FNext++;
        FWindows[handle] = std::make_shared<MessageWindow>(MessageWindow{std::move(method)});
        return handle;
    }
    // A procedure that frees its own window keeps running: Deliver holds its own reference.
    void Remove(HWND handle)
    {
        std::lock_guard lock(FMutex);
        FWindows.erase(handle);
    }
    std::shared_ptr<MessageWindow> Find(HWND handle) const
    {
        std::lock_guard lock(FMutex);
        auto it = FWindows.find(handle);
        return it == FWindows.end() ? nullptr : it->second;
    }

private:
    mutable std::mutex FMutex;
    std::map<HWND, std::shared_ptr<MessageWindow>> FWindows;
    // Starts well away from 0 so that a zeroed handle is never a window.
    HWND FNext = 0x1000;
};

// Never destroyed: a name look-up finishing on a worker thread while the process exits may
// still post through it.
WindowRegistry& Registry()
{
    static auto* registry = new WindowRegistry;
    return *registry;
}

QEvent::Type MessageEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

struct PostedMessage {
    std::uint64_t serial;
    HWND window;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Every posted message waits here until its event reaches the router, so that one can be looked
// at or taken out before then. Events arrive in posting order.
class PostedQueue {
public:
    // Queues the message and its event together, so serials and events keep one order even
    // when worker threads post.
    template <typename PostEvent>
    void Add(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, PostEvent post)
    {
        std::lock_guard lock(FMutex);
        const std::uint64_t serial = FNext++;
        FItems.push_back({serial, window, msg, wParam, lParam});
        post(serial);
    }
    // The message of the event with `serial`, unless it was taken out meanwhile. Older entries
    // still queued belong to events that were never delivered and go too.
    bool TakeForDelivery(std::uint64_t serial, PostedMessage& message)
    {
        std::lock_guard lock(FMutex);
        while (!FItems.empty() && FItems.front().serial < serial)
            FItems.pop_front();
        if (FItems.empty() || FItems.front().serial != serial)
            return false;
        message = FItems.front();
        FItems.pop_front();
        return true;
    }
    bool Find(HWND window, UINT low, UINT high, bool remove, PostedMessage& message)
    {
        std::lock_guard lock(FMutex);
        const bool anyNumber = low == 0 && high == 0;
        for (auto it = FItems.begin(); it != FItems.end(); ++it) {
            if ((window != 0 && it->window != window) || (!anyNumber && (it->msg < low || it->msg > high)))
                continue;
            message = *it;
            if (remove)
                FItems.erase(it);
            return true;
        }
        return false;
    }

private:
    std::mutex FMutex;
    std::deque<PostedMessage> FItems;
    std::uint64_t FNext = 1;
};

PostedQueue& Posted()
{
    static auto* queue = new PostedQueue;
    return *queue;
}

class MessageEvent : public QEvent {
public:
    explicit MessageEvent(std::uint64_t serial) : QEvent(MessageEventType()), serial(serial) {}
    std::uint64_t serial;
};

LRESULT Deliver(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto target = Registry().Find(window);
    if (!target || !target->method)
        return 0;
    TMessage message{msg, wParam, lParam, 0};
    Dispatch([&] { target->method(message); });
    return message.Result;
}

class MessageRouter : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != MessageEventType())
            return QObject::event(e);
        PostedMessage m{};
        if (Posted().TakeForDelivery(static_cast<MessageEvent*>(e)->serial, m))
            Deliver(m.window, m.msg, m.wParam, m.lParam);
        return true;
    }
};

// The router lives on the application's thread for the life of the process; worker threads
// post to it and their messages are handled there, in posting order.
QObject* Router()
{
    static MessageRouter* router = [] {
        auto* r = new MessageRouter;
        if (auto* app = QCoreApplication::instance(); app && r->thread() != app->thread())
            r->moveToThread(app->thread());
        return r;
    }();
    return router;
}

} // namespace

HWND AllocateHWnd(TWndMethod method)
{
    Router();
    return Registry().Add(std::move(method));
}

void DeallocateHWnd(HWND window)
{
    Registry().Remove(window);
}

bool IsWindow(HWND window)
{
    return Registry().Find(window) != nullptr;
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window) || !QCoreApplication::instance())
        return false;
    QObject* router = Router();
    Posted().Add(window, msg, wParam, lParam,
                 [router](std::uint64_t serial) { QCoreApplication::postEvent(router, new MessageEvent(serial)); });
    return true;
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Deliver(window, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    if (!Application)
        return;
    Application->SetExitCode(exitCode);
    Application->Terminate();
}

bool PeekMessage(TMessage& message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    PostedMessage found{};
    if (!Posted().Find(window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, found))
        return false;
    message = TMessage{found.msg, found.wParam, found.lParam, 0};
    return true;
}
