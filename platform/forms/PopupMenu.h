// TPopupMenu: the menu a control shows on a right click; OnPopup runs just before it opens.
#pragma once
#include "platform/forms/Menu.h"

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;

    // Opens the menu at a screen position and returns at once.
    void Popup(int X, int Y);
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component) { FPopupComponent = component; }

    TNotifyEvent OnPopup;

private:
    TComponent* FPopupComponent = nullptr;
};
