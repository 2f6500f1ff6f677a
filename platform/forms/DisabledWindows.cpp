#include "platform/forms/DisabledWindows.h"
#include <QApplication>

DisabledWindows::DisabledWindows(QWidget* keep)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == keep || !window->isVisible() || !window->isEnabled() || window->inherits("QMenu"))
            continue;
        window->setEnabled(false);
        FWindows.emplace_back(window);
    }
}

void DisabledWindows::Restore()
{
    for (QPointer<QWidget>& window : FWindows)
        if (window)
            window->setEnabled(true);
    FWindows.clear();
}
