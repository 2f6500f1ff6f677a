#include "platform/services/Registry.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include <map>
#include <memory>

namespace {

struct RegValue {
    AnsiString name;
    TRegDataType type = TRegDataType::rdUnknown;
    AnsiString text;
    int number = 0;
};

struct RegKey {
    AnsiString name;
    std::map<AnsiString, RegValue> values;                   // by folded name
    std::map<AnsiString, std::unique_ptr<RegKey>> subKeys;   // by folded name
};

AnsiString Fold(const AnsiString& name)
{
    return AnsiUpperCase(name);
}

// The store itself. Only the user-interface thread uses it.
RegKey& RootNode(HKEY root)
{
    static std::map<HKEY, RegKey> roots;
    return roots[root];
}

RegKey* FindKey(HKEY root, const std::vector<AnsiString>& path)
{
    RegKey* node = &RootNode(root);
    for (const auto& part : path) {
        auto it = node->subKeys.find(Fold(part));
        if (it == node->subKeys.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

RegKey& MakeKey(HKEY root, const std::vector<AnsiString>& path)
{
    RegKey* node = &RootNode(root);
    for (const auto& part : path) {
        auto& slot = node->subKeys[Fold(part)];
        if (!slot) {
            slot = std::make_unique<RegKey>();
            slot->name = part;
        }
        node = slot.get();
    }
    return *node;
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
    auto it = key->values.find(Fold(name));
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
        if (!canCreate)
            return false;
        MakeKey(FRootKey, path);
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
    AnsiString last = path.back();
    path.pop_back();
    RegKey* parent = FindKey(FRootKey, path);
    return parent && parent->subKeys.erase(Fold(last)) > 0;
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
    return key && key->values.erase(Fold(name)) > 0;
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
    key->values[Fold(name)] = RegValue{name, TRegDataType::rdString, text, 0};
}

void TRegistry::WriteInteger(const AnsiString& name, int number)
{
    RegKey* key = FOpen && !FReadOnly ? FindKey(FRootKey, FPath) : nullptr;
    if (!key)
        RaiseCannotSet(name);
    key->values[Fold(name)] = RegValue{name, TRegDataType::rdInteger, AnsiString(), number};
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
