#include "kit/WindowRoutines.h"
#include <QApplication>
#include <QThread>
#include <QWidget>
#include "platform/forms/Form.h"

void ActivateWindow(TForm* form, bool restore)
{
    if (!form || !form->Widget() || !form->Enabled() || !form->Widget()->isEnabled())
        return;
    QWidget* window = form->Widget();
    window->raise();
    // Restoring a minimised window brings back the state it had before, maximised or not.
    if (restore && window->isVisible() && window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    form->Activate();
}

bool IsThreadWindowActive()
{
    // Every window lives on the user-interface thread; no other thread has one to be active.
    if (!qApp || QThread::currentThread() != qApp->thread())
        return false;
    return QApplication::activeWindow() != nullptr;
}

void DiscardPendingMessage(HWND window, UINT msg)
{
    TMessage removed;
    if (PeekMessage(removed, window, msg, msg, PM_REMOVE) && removed.Msg == WM_QUIT)
        PostQuitMessage(static_cast<int>(removed.WParam));
}
