#include "platform/services/Registry.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include "platform/services/RegistryStore.h"

namespace {

RegKey* FindKey(HKEY root, const std::vector<AnsiString>& path)
{
    return FindRegKey(RegistryRoot(root), path);
}

std::vector<AnsiString> SplitPath(const AnsiString& key)
{
    std::vector<AnsiString> parts;
    AnsiString part;
    for (char c : key) {
        if (c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

[[noreturn]] void RaiseBadType(const AnsiString& name)
{
    throw ERegistryException("Invalid data type for '" + name + "'");
}

[[noreturn]] void RaiseCannotSet(const AnsiString& name)
{
    throw ERegistryException("Failed to set data for '" + name + "'");
}

const RegValue* FindValue(const RegKey* key, const AnsiString& name)
{
    if (!key)
        return nullptr;
    auto it = key->values.find(FoldRegName(name));
    return it == key->values.end() ? nullptr : &it->second;
}

} // namespace

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    FRootKey = root;
}

AnsiString TRegistry::CurrentPath() const
{
    AnsiString path;
    for (const auto& part : FPath) {
        if (!path.empty())
            path += '\\';
        path += part;
    }
    return path;
}

std::vector<AnsiString> TRegistry::Resolve(const AnsiString& key) const
{
    std::vector<AnsiString> path;
    bool absolute = !key.empty() && key[0] == '\\';
    if (FOpen && !absolute)
        path = FPath;
    for (auto& part : SplitPath(key))
        path.push_back(std::move(part));
    return path;
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate)
{
    std::vector<AnsiString> path = Resolve(key);
    if (!FindKey(FRootKey, path)) {
        if (!canCreate || !MakeRegKey(RegistryRoot(FRootKey), path) || !SaveRegistryChange(FRootKey, path))
            return false;
    }
    FPath = std::move(path);
    FOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& key)
{
    std::vector<AnsiString> path = Resolve(key);
    if (!FindKey(FRootKey, path))
        return false;
    FPath = std::move(path);
    FOpen = true;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    FPath.clear();
    FOpen = false;
    FReadOnly = false;
}

bool TRegistry::KeyExists(const AnsiString& key) const
{
    return FindKey(FRootKey, Resolve(key)) != nullptr;
}

bool TRegistry::DeleteKey(const AnsiString& key)
{
    std::vector<AnsiString> path = Resolve(key);
    if (path.empty())
        return false;
    std::vector<AnsiString> parentPath(path.begin(), path.end() - 1);
    RegKey* parent = FindKey(FRootKey, parentPath);
    return parent && parent->subKeys.erase(FoldRegName(path.back())) > 0 && SaveRegistryChange(FRootKey, path);
}

void TRegistry::GetKeyNames(TStrings& names) const
{
    names.Clear();
    if (const RegKey* key = FOpen ? FindKey(FRootKey, FPath) : nullptr)
        for (const auto& [folded, sub] : key->subKeys)
            names.Add(sub->name);
}

bool TRegistry::ValueExists(const AnsiString& name) const
{
    return FOpen && FindValue(FindKey(FRootKey, FPath), name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const AnsiString& name) const
{
    const RegValue* value = FOpen ? FindValue(FindKey(FRootKey, FPath), name) : nullptr;
    return value ? value->type : TRegDataType::rdUnknown;
}

bool TRegistry::DeleteValue(const AnsiString& name)
{
    RegKey* key = FOpen && !FReadOnly ? FindKey(FRootKey, FPath) : nullptr;
    return key && key->values.erase(FoldRegName(name)) > 0 && SaveRegistryChange(FRootKey, FPath);
}

void TRegistry::GetValueNames(TStrings& names) const
{
    names.Clear();
    if (const RegKey* key = FOpen ? FindKey(FRootKey, FPath) : nullptr)
        for (const auto& [folded, value] : key->values)
            names.Add(value.name);
}

AnsiString TRegistry::ReadString(const AnsiString& name) const
{
    const RegValue* value = FOpen ? FindValue(FindKey(FRootKey, FPath), name) : nullptr;
    if (!value)
        return AnsiString();
    if (value->type != TRegDataType::rdString)
        RaiseBadType(name);
    return value->text;
}

int TRegistry::ReadInteger(const AnsiString& name) const
{
    const RegValue* value = FOpen ? FindValue(FindKey(FRootKey, FPath), name) : nullptr;
    if (!value || value->type != TRegDataType::rdInteger)
        RaiseBadType(name);
    return value->number;
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& text)
{
    RegKey* key = FOpen && !FReadOnly ? FindKey(FRootKey, FPath) : nullptr;
    if (!key)
        RaiseCannotSet(name);
    key->values[FoldRegName(name)] = RegValue{name, TRegDataType::rdString, text, 0};
    if (!SaveRegistryChange(FRootKey, FPath))
        RaiseCannotSet(name);
}

void TRegistry::WriteInteger(const AnsiString& name, int number)
{
    RegKey* key = FOpen && !FReadOnly ? FindKey(FRootKey, FPath) : nullptr;
    if (!key)
        RaiseCannotSet(name);
    key->values[FoldRegName(name)] = RegValue{name, TRegDataType::rdInteger, AnsiString(), number};
    if (!SaveRegistryChange(FRootKey, FPath))
        RaiseCannotSet(name);
}

TRegIniFile::TRegIniFile(const AnsiString& fileName, HKEY root) : FFileName(fileName), FRoot(root) {}

AnsiString TRegIniFile::SectionPath(const AnsiString& section) const
{
    return "\\" + FFileName + "\\" + section;
}

AnsiString TRegIniFile::ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& defaultValue) const
{
    TRegistry reg;
    reg.SetRootKey(FRoot);
    if (!reg.OpenKeyReadOnly(SectionPath(section)) || reg.GetDataType(ident) != TRegDataType::rdString)
        return defaultValue;
    return reg.ReadString(ident);
}

int TRegIniFile::ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue) const
{
    return StrToIntDef(ReadString(section, ident, AnsiString()), defaultValue);
}

bool TRegIniFile::ReadBool(const AnsiString& section, const AnsiString& ident, bool defaultValue) const
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value)
{
    TRegistry reg;
    reg.SetRootKey(FRoot);
    reg.OpenKey(SectionPath(section), true);
    reg.WriteString(ident, value);
}

void TRegIniFile::WriteInteger(const AnsiString& section, const AnsiString& ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

void TRegIniFile::WriteBool(const AnsiString& section, const AnsiString& ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

void TRegIniFile::ReadSection(const AnsiString& section, TStrings& idents) const
{
    TRegistry reg;
    reg.SetRootKey(FRoot);
    idents.Clear();
    if (reg.OpenKeyReadOnly(SectionPath(section)))
        reg.GetValueNames(idents);
}

void TRegIniFile::EraseSection(const AnsiString& section)
{
    TRegistry reg;
    reg.SetRootKey(FRoot);
    reg.DeleteKey(SectionPath(section));
}

void TRegIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident)
{
    TRegistry reg;
    reg.SetRootKey(FRoot);
    if (reg.OpenKey(SectionPath(section), false))
        reg.DeleteValue(ident);
}
