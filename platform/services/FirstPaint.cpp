#include "platform/services/FirstPaint.h"
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <xcb/xcb.h>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

class FirstPaintWatcher : public QObject {
public:
    void Add(std::function<void()> work)
    {
        if (FPainted) {
            QTimer::singleShot(0, qApp, std::move(work));
            return;
        }
        FWorks.push_back(std::move(work));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow() && !FPainted) {
            FPainted = true;
            // Queued: the painted image is sent once the paint event returns.
            QTimer::singleShot(0, qApp, [this] {
                std::vector<std::function<void()>> works;
                works.swap(FWorks);
                for (auto& work : works)
                    work();
            });
        }
        return false;
    }

private:
    bool FPainted = false;
    std::vector<std::function<void()>> FWorks;
};

FirstPaintWatcher* Watcher()
{
    static FirstPaintWatcher* watcher = [] {
        auto* created = new FirstPaintWatcher;
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    return watcher;
}

// A request with a reply is answered only after the server has handled every earlier request of
// the connection, the painted image among them.
void WaitForTheDisplay()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

void AfterFirstPaint(std::function<void()> work)
{
    if (!qApp) {
        work();
        return;
    }
    Watcher()->Add(std::move(work));
}

void ExitAtFirstPaintWhenAsked()
{
    if (!std::getenv("QEX_EXIT_AT_FIRST_PAINT") || !qApp)
        return;
    AfterFirstPaint([] {
        WaitForTheDisplay();
        static const char painted[] = "painted\n";
        (void)!::write(STDOUT_FILENO, painted, sizeof painted - 1);
        std::_Exit(0);
    });
}
