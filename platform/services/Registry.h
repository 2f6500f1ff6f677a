// The registry: the program's own store, with the class library's TRegistry and TRegIniFile
// faces. What the program writes there is kept in the registry file (RegistryFile.h) and comes
// back on the next run, except the keys of the system's own settings, which live in the process
// only. Key and value names compare ignoring case; "\" separates key levels; a path starting
// with "\" starts at the root key.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Exceptions.h"
#include "platform/core/CustomIniFile.h"
#include "platform/core/Object.h"
#include "platform/services/RegistryTree.h"
#include <vector>

class TStrings;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

QEX_EXCEPTION(ERegistryException, Exception);

class TRegistry : public TObject {
public:
    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY root);
    // The open key's path below the root, without a leading "\"; empty with no key open.
    AnsiString CurrentPath() const;
    bool HasCurrentKey() const { return FOpen; }

    // Relative paths start at the open key. False when the key is missing and may not be made
    // (nor saved in the registry file).
    bool OpenKey(const AnsiString& key, bool canCreate);
    bool OpenKeyReadOnly(const AnsiString& key);
    void CloseKey();
    bool KeyExists(const AnsiString& key) const;
    // Removes the key with everything below it.
    bool DeleteKey(const AnsiString& key);
    void GetKeyNames(TStrings& names) const;

    bool ValueExists(const AnsiString& name) const;
    TRegDataType GetDataType(const AnsiString& name) const;
    bool DeleteValue(const AnsiString& name);
    void GetValueNames(TStrings& names) const;

    // A missing value reads as empty; a value of another type raises
    // "Invalid data type for '<name>'".
    AnsiString ReadString(const AnsiString& name) const;
    // A missing value or one of another type raises "Invalid data type for '<name>'".
    int ReadInteger(const AnsiString& name) const;
    bool ReadBool(const AnsiString& name) const { return ReadInteger(name) != 0; }
    // Without an open writable key, or when the registry file cannot be written: raises
    // "Failed to set data for '<name>'" and the value is not set.
    void WriteString(const AnsiString& name, const AnsiString& value);
    void WriteInteger(const AnsiString& name, int value);
    void WriteBool(const AnsiString& name, bool value) { WriteInteger(name, value ? 1 : 0); }

private:
    std::vector<AnsiString> Resolve(const AnsiString& key) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    std::vector<AnsiString> FPath;
    bool FOpen = false;
    bool FReadOnly = false;
};

// Sections are sub-keys of the file's key, identifiers their values; numbers are kept as text,
// as the class library's registry INI file keeps them.
class TRegIniFile : public TCustomIniFile {
public:
    explicit TRegIniFile(const AnsiString& fileName, HKEY root = HKEY_CURRENT_USER);

    const AnsiString& FileName() const { return FFileName; }
    AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& defaultValue) const override;
    int ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue) const override;
    bool ReadBool(const AnsiString& section, const AnsiString& ident, bool defaultValue) const override;
    void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) override;
    void WriteInteger(const AnsiString& section, const AnsiString& ident, int value) override;
    void WriteBool(const AnsiString& section, const AnsiString& ident, bool value) override;
    void ReadSection(const AnsiString& section, TStrings& idents) const override;
    void EraseSection(const AnsiString& section) override;
    void DeleteKey(const AnsiString& section, const AnsiString& ident) override;

private:
    AnsiString SectionPath(const AnsiString& section) const;

    AnsiString FFileName;
    HKEY FRoot;
};
