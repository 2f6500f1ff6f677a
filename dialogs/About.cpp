#include "dialogs/About.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner)
{
    SetName("AboutForm");
    SetCaption("Ohjelmasta");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(282);
    SetClientHeight(172);

    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetTransparent(true);
    Label1->SetBounds(48, 16, 220, 48);
    Label1->SetCaption("QEX 2000\r\nVersio 4.76 (build 3061)\r\nLinux-versio");

    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetCaption("OK");
    Button1->SetBounds(104, 132, 75, 25);
    Button1->SetModalResult(mrOk);
    Button1->SetDefault(true);
    Button1->SetCancel(true);
}
