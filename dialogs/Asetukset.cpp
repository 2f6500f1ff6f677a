#include "dialogs/Asetukset.h"
#include "platform/forms/Button.h"

TAsetuksetForm::TAsetuksetForm(TComponent* owner) : TForm(owner)
{
    SetName("AsetuksetForm");
    SetCaption("Asetukset");
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(301);
    SetClientHeight(425);
    KeyPreview = true;

    OkButton = new TButton(this);
    OkButton->SetName("OkButton");
    OkButton->SetParent(this);
    OkButton->SetCaption("&OK");
    OkButton->SetBounds(136, 392, 75, 25);
    OkButton->SetModalResult(mrOk);
    OkButton->SetDefault(true);

    CancelButton = new TButton(this);
    CancelButton->SetName("CancelButton");
    CancelButton->SetParent(this);
    CancelButton->SetCaption("&Poistu");
    CancelButton->SetBounds(218, 392, 75, 25);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
}
