#include "platform/forms/RichEdit.h"
#include <QTextCursor>
#include <QTextEdit>
#include "platform/forms/PaletteColors.h"

namespace {

TColor ToTColor(const QColor& color)
{
    return static_cast<TColor>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

} // namespace

TRichEdit::TRichEdit(TComponent* owner) : TCustomMemo(owner)
{
    FSuppressQtContextMenu = true;
}

TColor TTextAttributes::Color() const
{
    QTextCharFormat format = FEdit->FEdit->textCursor().charFormat();
    return format.foreground().style() == Qt::NoBrush ? FEdit->Font()->Color() : ToTColor(format.foreground().color());
}

void TTextAttributes::SetColor(TColor color)
{
    QTextCharFormat format;
    format.setForeground(ToQColor(color));
    QTextCursor cursor = FEdit->FEdit->textCursor();
    cursor.mergeCharFormat(format);
}

TFontStyles TTextAttributes::Style() const
{
    QTextCharFormat format = FEdit->FEdit->textCursor().charFormat();
    TFontStyles style;
    if (format.fontWeight() >= QFont::Bold)
        style << fsBold;
    if (format.fontItalic())
        style << fsItalic;
    if (format.fontUnderline())
        style << fsUnderline;
    if (format.fontStrikeOut())
        style << fsStrikeOut;
    return style;
}

void TTextAttributes::SetStyle(TFontStyles style)
{
    QTextCharFormat format;
    format.setFontWeight(style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.Contains(fsItalic));
    format.setFontUnderline(style.Contains(fsUnderline));
    format.setFontStrikeOut(style.Contains(fsStrikeOut));
    QTextCursor cursor = FEdit->FEdit->textCursor();
    cursor.mergeCharFormat(format);
}
