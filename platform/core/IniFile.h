// INI files with Windows private-profile semantics over Windows-1252 bytes: sections and keys
// compare ignoring case, values are trimmed and lose one pair of surrounding quotes, the first
// of duplicate keys wins, writes update the line in place (or append) and replace the file
// atomically. Nothing is kept in memory between calls.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"

class TStrings;

class TIniFile : public TObject {
public:
    explicit TIniFile(AnsiString fileName) : FFileName(std::move(fileName)) {}

    const AnsiString& FileName() const { return FFileName; }

    AnsiString ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue) const;
    int ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const;
    bool ReadBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const;
    void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value);
    void WriteInteger(const AnsiString& section, const AnsiString& key, int value);
    void WriteBool(const AnsiString& section, const AnsiString& key, bool value);

    bool SectionExists(const AnsiString& section) const;
    bool ValueExists(const AnsiString& section, const AnsiString& key) const;
    void ReadSection(const AnsiString& section, TStrings& keys) const;
    void ReadSections(TStrings& sections) const;
    void EraseSection(const AnsiString& section);
    void DeleteKey(const AnsiString& section, const AnsiString& key);

private:
    AnsiString FFileName;
};
