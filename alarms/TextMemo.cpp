#include "alarms/TextMemo.h"
#include <QPlainTextEdit>
#include "platform/core/Strings.h"
#include "platform/forms/QtText.h"

TTextMemo::TTextMemo(TComponent* owner) : TWinControl(owner), FEdit(new QPlainTextEdit())
{
    SetWidget(FEdit);
    SetColor(clWindow);
    FEdit->setTabChangesFocus(true);
    FEdit->resize(185, 89);
}

AnsiString TTextMemo::Text() const
{
    AnsiString text = FromQString(FEdit->toPlainText());
    AnsiString joined;
    for (char c : text)
        joined += c == '\n' ? AnsiString("\r\n") : AnsiString(1, c);
    return joined;
}

void TTextMemo::SetText(const AnsiString& text)
{
    TStringList lines;
    lines.SetText(text);
    AnsiString plain;
    for (int i = 0; i < lines.Count(); ++i)
        plain += (i ? "\n" : "") + lines[i];
    FEdit->setPlainText(ToQString(plain));
}

AnsiString TTextMemo::FirstLine() const
{
    TStringList lines;
    lines.SetText(FromQString(FEdit->toPlainText()));
    return lines.Count() > 0 ? lines[0] : AnsiString();
}
