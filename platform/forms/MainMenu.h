// TMainMenu: a form's menu bar. Its shortcuts are taken before the form previews a key.
#pragma once
#include "platform/forms/Menu.h"

class QMenuBar;

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    ~TMainMenu() override;

    // The form shows the menu in this bar (made and freed by the form).
    void AttachBar(QMenuBar* bar);
};
