// A form with a tab control of two week tabs on it, as the main window's week bar starts.
#pragma once
#include "platform/forms/Form.h"
#include "platform/forms/TabControl.h"

inline TTabControl* AddWeekTabs(TForm& form)
{
    form.SetBounds(0, 0, 400, 200);
    auto* tabs = new TTabControl(&form);
    tabs->SetParent(&form);
    tabs->Tabs()->Add("Viikko 7");
    tabs->Tabs()->Add("Viikko 8");
    return tabs;
}
