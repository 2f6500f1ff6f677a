#include "platform/forms/CheckBox.h"
#include <QCheckBox>
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner), FBox(new QCheckBox())
{
    SetWidget(FBox);
    FBox->resize(97, 17);
    // clicked is raised by the user only, never by setChecked.
    QObject::connect(FBox, &QCheckBox::clicked, [this] { Dispatch([this] { Click(); }); });
}

void TCheckBox::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FBox->setText(ToQString(caption));
}

bool TCheckBox::Checked() const
{
    return FBox->isChecked();
}

void TCheckBox::SetChecked(bool checked)
{
    QSignalBlocker block(FBox);
    FBox->setChecked(checked);
}
