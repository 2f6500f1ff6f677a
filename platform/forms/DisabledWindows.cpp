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

QWidget* DisabledWindows::BlockedOwner() const
{
    auto blocked = [this](QWidget* window) {
        return window && std::find(FWindows.begin(), FWindows.end(), window) != FWindows.end();
    };
    if (QWidget* active = QApplication::activeWindow(); blocked(active))
        return active;
    if (TForm* main = Application ? Application->MainForm() : nullptr; main && blocked(main->Widget()))
        return main->Widget();
    return FWindows.empty() ? nullptr : FWindows.front().data();
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
