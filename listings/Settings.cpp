#include "listings/Settings.h"
#include "platform/core/Files.h"
#include "platform/core/IniDocumentCache.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"

namespace {

bool AsBoolean(const SettingValue& value)
{
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag;
    if (const int* number = std::get_if<int>(&value))
        return *number != 0;
    const AnsiString& text = std::get<AnsiString>(value);
    return SameText(text, "true") || (StrToIntDef(text, 0) != 0);
}

AnsiString AsText(const SettingValue& value)
{
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag ? "1" : "0";
    if (const int* number = std::get_if<int>(&value))
        return IntToStr(*number);
    return std::get<AnsiString>(value);
}

} // namespace

AnsiString SettingsFilePath()
{
    return ExeFolder() + "QEX.INI";
}

std::shared_ptr<const IniDocument> SettingsDocument()
{
    return KeptIniDocuments().Document(SettingsFilePath());
}

AnsiString IniReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue)
{
    TIniFile ini(SettingsFilePath());
    return ini.ReadString(section, key, defaultValue);
}

void IniWriteValue(const AnsiString& section, const AnsiString& key, const SettingValue& value, char kind)
{
    TIniFile ini(SettingsFilePath());
    if (kind == 'B')
        ini.WriteBool(section, key, AsBoolean(value));
    else if (kind == 'S')
        ini.WriteString(section, key, AsText(value));
}

int IniReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue)
{
    return StrToIntDef(Trim(IniReadString(section, key, IntToStr(defaultValue))), defaultValue);
}
