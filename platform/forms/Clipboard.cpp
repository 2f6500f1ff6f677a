#include "platform/forms/Clipboard.h"
#include <QClipboard>
#include <QGuiApplication>
#include "platform/forms/QtText.h"

AnsiString TClipboard::AsText() const
{
    return qGuiApp ? FromQString(QGuiApplication::clipboard()->text()) : AnsiString();
}

void TClipboard::SetAsText(const AnsiString& text)
{
    if (qGuiApp)
        QGuiApplication::clipboard()->setText(ToQString(text));
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
