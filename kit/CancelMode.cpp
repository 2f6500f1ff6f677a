#include "kit/CancelMode.h"
#include "platform/forms/Form.h"

void SendCancelMode(TControl* sender)
{
    TForm* form = TForm::FormOf(sender->Widget());
    QWidget* focused = form && form->Widget() ? form->Widget()->focusWidget() : nullptr;
    if (auto* target = dynamic_cast<TCancelModeTarget*>(TControl::FromWidget(focused)))
        target->CancelMode(sender);
}
