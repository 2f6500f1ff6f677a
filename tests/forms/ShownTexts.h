// What forms show as a reader sees it: a label's caption as drawn, and the texts a form shows in
// its own components.
#pragma once
#include "platform/core/Component.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include <set>

// The label's caption as it draws it: with ShowAccelChar an '&' is not drawn itself but marks
// the next character, and "&&" draws one '&'.
inline AnsiString ShownText(const TLabel& label)
{
    const AnsiString caption = label.Caption();
    if (!label.ShowAccelChar())
        return caption;
    AnsiString shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // A trailing lone '&' marks nothing and is not drawn.
        if (caption[i] == '&' && ++i == caption.size())
            break;
        shown += caption[i];
    }
    return shown;
}

// The texts a form shows in its own components: labels, check boxes, buttons and hints.
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
