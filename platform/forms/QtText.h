// The one crossing between our Windows-1252 strings and Qt's UTF-16 strings (Latin-1 would be
// wrong for 0x80-0x9F: the euro sign, typographic quotes).
#pragma once
#include "platform/core/AnsiString.h"
#include <QString>

QString ToQString(const AnsiString& text);
// Characters Windows-1252 cannot spell become '?'.
AnsiString FromQString(const QString& text);
