#include "platform/forms/TabControl.h"
#include <QToolButton>
#include <QWidget>
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner)
{
    SetWidget(new QWidget());
    Widget()->resize(289, 24);
    FTabs.OnChange = [this](TObject*) { Rebuild(); };
}

void TTabControl::SetTabIndex(int index)
{
    FTabIndex = index >= 0 && index < FTabs.Count() ? index : -1;
    UpdateButtons();
}

void TTabControl::SetTabWidth(int width)
{
    FTabWidth = std::max(0, width);
    UpdateButtons();
}

void TTabControl::SetTabHeight(int height)
{
    FTabHeight = std::max(1, height);
    UpdateButtons();
}

void TTabControl::font_changed()
{
    TWinControl::font_changed();
    UpdateButtons();
}

void TTabControl::Rebuild()
{
    while (static_cast<int>(FButtons.size()) > FTabs.Count()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (static_cast<int>(FButtons.size()) < FTabs.Count()) {
        auto* button = new QToolButton(Widget());
        int index = static_cast<int>(FButtons.size());
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QToolButton::clicked, [this, index] { UserClicked(index); });
        button->show();
        FButtons.push_back(button);
    }
    if (FTabIndex >= FTabs.Count())
        FTabIndex = -1;
    UpdateButtons();
}

void TTabControl::UpdateButtons()
{
    int left = 0;
    for (std::size_t i = 0; i < FButtons.size(); ++i) {
        QToolButton* button = FButtons[i];
        button->setText(ToQString(FTabs.Get(static_cast<int>(i))));
        button->setFont(Widget()->font());
        QSignalBlocker block(button);
        button->setChecked(static_cast<int>(i) == FTabIndex);
        int width = FTabWidth > 0 ? FTabWidth : button->sizeHint().width();
        button->setGeometry(left, 0, width, FTabHeight);
        left += width + 3;
    }
}

void TTabControl::UserClicked(int index)
{
    Dispatch([&] {
        bool allow = true;
        if (index != FTabIndex && OnChanging)
            OnChanging(this, allow);
        if (!allow || index == FTabIndex) {
            UpdateButtons();
            return;
        }
        FTabIndex = index;
        UpdateButtons();
        if (OnChange)
            OnChange(this);
    });
}
