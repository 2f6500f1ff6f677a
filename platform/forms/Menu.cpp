#include "platform/forms/Menu.h"
#include <QMenu>
#include "platform/forms/MainMenu.h"
#include "platform/forms/PopupMenu.h"
#include <QMenuBar>

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {}

TMenu::~TMenu()
{
    delete FItems;
}

bool TMenu::IsShortCut(TShortCut shortCut)
{
    TMenuItem* item = FItems->FindShortCut(shortCut);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TPopupMenu::IsShortCut(TShortCut shortCut)
{
    if (OnPopup && Items()->FindShortCut(shortCut))
        OnPopup(this);
    return TMenu::IsShortCut(shortCut);
}

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    QMenu* menu = Items()->SubMenu();
    int width = menu->sizeHint().width();
    int left = FAlignment == paRight ? X - width : FAlignment == paCenter ? X - width / 2 : X;
    menu->popup(QPoint(left, Y));
}

TMainMenu::~TMainMenu()
{
    Items()->SetMirror(nullptr);
}

void TMainMenu::AttachBar(QMenuBar* bar)
{
    Items()->SetMirror(bar);
}
