#include "platform/forms/WhenWindowUp.h"
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace {

// Lives as a child of the native window, so that it and its work go with the window.
class TWindowUpWatch : public QObject {
public:
    TWindowUpWatch(QWindow* window, std::function<void()> work, int boundMilliseconds)
        : QObject(window), FWork(std::move(work))
    {
        window->installEventFilter(this);
        QTimer::singleShot(boundMilliseconds, this, [this] { Run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            Run();
        return false;
    }

private:
    // Not inside the delivery of the exposure: the work may show, hide or restate the window.
    void Run()
    {
        if (!FWork)
            return;
        parent()->removeEventFilter(this);
        QTimer::singleShot(0, parent(), std::exchange(FWork, nullptr));
        deleteLater();
    }

    std::function<void()> FWork;
};

} // namespace

void WhenWindowUp(QWidget* window, std::function<void()> work, int boundMilliseconds)
{
    QWindow* native = window ? window->windowHandle() : nullptr;
    if (!native || native->isExposed() || window->isMinimized()) {
        work();
        return;
    }
    new TWindowUpWatch(native, std::move(work), boundMilliseconds);
}
