#include "platform/forms/QtText.h"

QString ToQString(const AnsiString& text)
{
    std::u16string utf16 = cp1252::ToUtf16(text);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}

AnsiString FromQString(const QString& text)
{
    return cp1252::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size())));
}
