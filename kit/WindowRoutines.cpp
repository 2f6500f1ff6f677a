#include "kit/WindowRoutines.h"
#include <QApplication>
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
    return QApplication::activeWindow() != nullptr;
}
