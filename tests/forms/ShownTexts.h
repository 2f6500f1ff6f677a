// The texts a form shows in its own components: labels, check boxes, buttons and hints.
#pragma once
#include "platform/core/Component.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include <set>

inline std::set<AnsiString> ShownTexts(const TComponent& form)
{
    std::set<AnsiString> shown;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* component = form.Components(i);
        if (auto* label = dynamic_cast<TLabel*>(component))
            shown.insert(label->Caption());
        if (auto* box = dynamic_cast<TCheckBox*>(component))
            shown.insert(box->Caption());
        if (auto* button = dynamic_cast<TButton*>(component))
            shown.insert(button->Caption());
        if (auto* control = dynamic_cast<TControl*>(component); control && !control->Hint().empty())
            shown.insert(control->Hint());
    }
    return shown;
}
