// Windows-1252 bytes <-> QString, for the services that hand text to Qt.
#pragma once
#include "platform/core/AnsiString.h"
#include <QString>

QString AnsiToQString(const AnsiString& text);
// Characters outside the code page become '?'.
AnsiString QStringToAnsi(const QString& text);
