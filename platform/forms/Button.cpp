#include "platform/forms/Button.h"
#include <QPushButton>
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

TButton::TButton(TComponent* owner) : TWinControl(owner), FButton(new QPushButton())
{
    SetWidget(FButton);
    FButton->resize(75, 25);
    FButton->setAutoDefault(false);
    QObject::connect(FButton, &QPushButton::clicked, [this] { Dispatch([this] { Click(); }); });
}

void TButton::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FButton->setText(ToQString(caption));
}

void TButton::SetDefault(bool isDefault)
{
    FDefault = isDefault;
    FButton->setDefault(isDefault);
}

void TButton::Click()
{
    if (FModalResult != mrNone)
        if (TForm* form = TForm::FormOf(Widget()))
            form->SetModalResult(FModalResult);
    TWinControl::Click();
}
