#include "alarms/NoticeWindow.h"
#include "platform/forms/Label.h"

TLabel* AddNoticeLabel(TForm* form, const char* name, int left, int top)
{
    auto* label = new TLabel(form);
    label->SetName(name);
    label->SetParent(form);
    label->SetTransparent(true);
    // The lines show listing text (channels, titles, descriptions): an '&' there is a character.
    label->SetShowAccelChar(false);
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

void CloseNoticeOnEscape(TForm* form, WORD& key)
{
    if (key != VK_ESCAPE)
        return;
    key = 0;
    form->Close();
}
