// The one way of reading and writing single settings of "QEX.INI" beside the executable.
// Every reader passes its own default; the file is opened for each call and closed again.
#pragma once
#include "platform/core/AnsiString.h"
#include <variant>

using SettingValue = std::variant<bool, int, AnsiString>;

AnsiString SettingsFilePath();
AnsiString IniReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue);
// kind 'B' writes the value as "1"/"0", kind 'S' as text; any other kind writes nothing.
void IniWriteValue(const AnsiString& section, const AnsiString& key, const SettingValue& value, char kind);
// A setting that should be a number: its default when the stored text is not one.
int IniReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue);
