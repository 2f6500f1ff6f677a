// TPopupMenu: the menu a control shows on a right click; OnPopup runs just before it opens.
#pragma once
#include "platform/forms/Menu.h"

// Which edge of the menu (or its middle) stands at the point it is opened at.
enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;

    // Opens the menu at a screen position, aligned there as Alignment says, and returns at once.
    void Popup(int X, int Y);
    // A key sets off an item only as the opened menu would offer it: OnPopup decides first.
    bool IsShortCut(TShortCut shortCut) override;
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment alignment) { FAlignment = alignment; }
    // Whether the controls that own the menu open it by themselves (on a right click, or on a
    // press of a button that drops it down).
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component) { FPopupComponent = component; }

    TNotifyEvent OnPopup;

private:
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
};
