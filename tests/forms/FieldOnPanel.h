// An edit on a panel on a form: the shortest chain along which a control takes what its parent
// sets (font, reading order, colour).
#pragma once
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"

struct FieldOnPanel {
    FieldOnPanel()
    {
        panel->SetParent(&form);
        edit->SetParent(panel);
    }
    TForm form{nullptr};
    TPanel* panel = new TPanel(&form);
    TEdit* edit = new TEdit(&form);
};
