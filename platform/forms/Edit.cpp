#include "platform/forms/Edit.h"
#include <QEvent>
#include <QLineEdit>
#include "platform/messages/Application.h"
#include "platform/forms/HandOn.h"
#include "platform/forms/QtText.h"

TEdit::TEdit(TComponent* owner) : TEdit(owner, new QLineEdit()) {}

TEdit::TEdit(TComponent* owner, QLineEdit* edit) : TWinControl(owner), FEdit(edit)
{
    SetWidget(FEdit);
    SetColor(clWindow);
    FEdit->resize(121, 21);
    QObject::connect(FEdit, &QLineEdit::textChanged, [this] {
        if (OnChange)
            Dispatch([this] { OnChange(this); });
    });
}

AnsiString TEdit::Text() const
{
    return FromQString(FEdit->text());
}

void TEdit::SetText(const AnsiString& text)
{
    FEdit->setText(ToQString(text));
}

void TEdit::SetMaxLength(int maxLength)
{
    FMaxLength = std::max(0, maxLength);
    FEdit->setMaxLength(FMaxLength == 0 ? 32767 : FMaxLength);
}

bool TEdit::ReadOnly() const
{
    return FEdit->isReadOnly();
}

void TEdit::SetReadOnly(bool readOnly)
{
    FEdit->setReadOnly(readOnly);
}

void TEdit::SelectAll()
{
    FEdit->selectAll();
}

int TEdit::SelStart() const
{
    return FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition();
}

int TEdit::SelLength() const
{
    return static_cast<int>(FEdit->selectedText().size());
}

void TEdit::SetSelStart(int start)
{
    FEdit->setCursorPosition(start);
}

void TEdit::SetSelLength(int length)
{
    FEdit->setSelection(SelStart(), length);
}

// Qt selects the text when the edit is entered by key; an edit that should not keeps its caret.
bool TEdit::widget_event(QObject* watched, QEvent* event)
{
    if (watched == FEdit && event->type() == QEvent::FocusIn && !SelectsOnEntry() && !IsHandedOn(event)) {
        HandOn(FEdit, event);
        FEdit->deselect();
        TWinControl::widget_event(watched, event);
        return true;
    }
    return TWinControl::widget_event(watched, event);
}
