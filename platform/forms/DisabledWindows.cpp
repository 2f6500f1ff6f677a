#include "platform/forms/DisabledWindows.h"
#include <QApplication>
#include <algorithm>
#include "platform/messages/Application.h"
#include "platform/forms/Form.h"

namespace {

TForm* FormOfWindow(QWidget* window)
{
    return window ? dynamic_cast<TForm*>(TControl::FromWidget(window)) : nullptr;
}

// A window that stays on top by itself (an alarm notice, the TV-today window) keeps its own place
// and is raised and sent under a running box by the program; a box transient for it would be
// dragged along by the window manager in that tug, and the window manager would keep the box
// among a window that may close on its own. A running box stays on top too, but for its run only.
bool StaysOnTopByItself(QWidget* window)
{
    if (TForm* form = FormOfWindow(window))
        return form->FormStyle() == fsStayOnTop && !form->Modal();
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

DisabledWindows::DisabledWindows(QWidget* keep) : FKept(keep)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == keep || !window->isVisible() || !window->isEnabled() || window->inherits("QMenu"))
            continue;
        window->setEnabled(false);
        FWindows.emplace_back(window);
    }
    if (TForm* kept = FormOfWindow(keep))
        kept->SetModalOwner(BlockedOwner());
}

// The owner is a window the kept one blocks and that stays where it is: the active one, else the
// main form, else the first such; none when every blocked window stays on top by itself.
QWidget* DisabledWindows::BlockedOwner() const
{
    auto canOwn = [this](QWidget* window) {
        return window && std::find(FWindows.begin(), FWindows.end(), window) != FWindows.end() &&
               !StaysOnTopByItself(window);
    };
    if (QWidget* active = QApplication::activeWindow(); canOwn(active))
        return active;
    if (TForm* main = Application ? Application->MainForm() : nullptr; main && canOwn(main->Widget()))
        return main->Widget();
    auto first = std::find_if(FWindows.begin(), FWindows.end(), [&](const QPointer<QWidget>& window) { return canOwn(window); });
    return first == FWindows.end() ? nullptr : first->data();
}

void DisabledWindows::Restore()
{
    if (TForm* kept = FormOfWindow(FKept))
        kept->SetModalOwner(nullptr);
    FKept = nullptr;
    for (QPointer<QWidget>& window : FWindows)
        if (window)
            window->setEnabled(true);
    FWindows.clear();
}
