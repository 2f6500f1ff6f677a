#include "dialogs/Tulostus.h"

TPrintForm* PrintForm = nullptr;

TPrintForm::TPrintForm(TComponent* owner) : TForm(owner)
{
    SetName("PrintForm");
    SetCaption("Tulostus");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 840, 642);
}
