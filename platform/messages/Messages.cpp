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
#include <map>
#include <memory>
#include <mutex>

namespace {

struct MessageWindow {
    TWndMethod method;
};

class WindowRegistry {
public:
    HWND add(TWndMethod method)
    {
        std::lock_guard lock(FMutex);
        HWND handle = FNext++;
        FWindows[handle] = std::make_shared<MessageWindow>(MessageWindow{std::move(method)});
        return handle;
    }
    // A procedure that frees its own window keeps running: Deliver holds its own reference.
    void remove(HWND handle)
    {
        std::lock_guard lock(FMutex);
        FWindows.erase(handle);
    }
    std::shared_ptr<MessageWindow> find(HWND handle) const
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

class MessageEvent : public QEvent {
public:
    MessageEvent(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
        : QEvent(MessageEventType()), window(window), msg(msg), wParam(wParam), lParam(lParam) {}
    HWND window;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

LRESULT Deliver(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto target = Registry().find(window);
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
        auto* m = static_cast<MessageEvent*>(e);
        Deliver(m->window, m->msg, m->wParam, m->lParam);
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
    return Registry().add(std::move(method));
}

void DeallocateHWnd(HWND window)
{
    Registry().remove(window);
}

bool IsWindow(HWND window)
{
    return Registry().find(window) != nullptr;
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window) || !QCoreApplication::instance())
        return false;
    QCoreApplication::postEvent(Router(), new MessageEvent(window, msg, wParam, lParam));
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
