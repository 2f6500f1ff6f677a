// The one way of reading and writing single settings of "QEX.INI" beside the executable.
// Every reader passes its own default. Each read answers from the file as it is at that moment,
// but the file is parsed once and again only when it changed (see IniDocumentCache.h), so
// reading many values costs one reading of the file.
#pragma once
#include "platform/core/AnsiString.h"
#include <memory>
#include <variant>

class IniDocument;

using SettingValue = std::variant<bool, int, AnsiString>;

AnsiString SettingsFilePath();
// The settings file as it is now, parsed; for reading many values from one state of the file.
std::shared_ptr<const IniDocument> SettingsDocument();
AnsiString IniReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue);
// kind 'B' writes the value as "1"/"0", kind 'S' as text; any other kind writes nothing.
void IniWriteValue(const AnsiString& section, const AnsiString& key, const SettingValue& value, char kind);
// A setting that should be a number: its default when the stored text is not one.
int IniReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue);
