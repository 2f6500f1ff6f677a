// TMenu: the root that holds a menu's items; TMainMenu and TPopupMenu derive from it.
#pragma once
#include "platform/core/Component.h"
#include "platform/forms/MenuItem.h"

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root item; its sub-items are the menu's top level.
    TMenuItem* Items() const { return FItems; }
    // Clicks the item whose shortcut this is; true when one was found (even a disabled one,
    // which swallows the key as the class library's menus do).
    virtual bool IsShortCut(TShortCut shortCut);

private:
    TMenuItem* FItems;
};
