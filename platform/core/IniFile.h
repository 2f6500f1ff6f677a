// INI files with Windows private-profile semantics over Windows-1252 bytes: sections and keys
// compare ignoring the case of every Windows-1252 letter, values are trimmed and lose one pair
// of matching surrounding quotes (double or single), the first of duplicate sections and keys
// wins, writes update the line in place (or append to the section, or append the section),
// create a missing file and replace the file atomically with CR LF line ends (a write that would
// leave the same bytes leaves the file alone). A missing or unreadable file reads as empty. A
// failed write raises Exception "Unable to write to <file>".
// Line breaks in names and values written become blanks, so a write adds exactly one line.
// Reads use the process's parsed copy of the file, which is read again whenever the file changed
// (see IniDocumentCache.h), so they answer as if the file were read for each call; writes read
// the file afresh and drop the copy.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/CustomIniFile.h"
#include "platform/core/IniDocument.h"
#include <memory>
#include <optional>

class TStrings;

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(AnsiString fileName) : FFileName(std::move(fileName)) {}

    const AnsiString& FileName() const { return FFileName; }

    AnsiString ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue) const override;
    int ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const override;
    bool ReadBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const override;
    void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value) override;
    void WriteInteger(const AnsiString& section, const AnsiString& key, int value) override;
    void WriteBool(const AnsiString& section, const AnsiString& key, bool value) override;

    bool SectionExists(const AnsiString& section) const;
    bool ValueExists(const AnsiString& section, const AnsiString& key) const;
    void ReadSection(const AnsiString& section, TStrings& keys) const override;
    void ReadSections(TStrings& sections) const;
    void EraseSection(const AnsiString& section) override;
    void DeleteKey(const AnsiString& section, const AnsiString& key) override;

    // Between BeginUpdate and UpdateFile every call reads and changes one copy of the file, read
    // once; UpdateFile replaces the file with all the changes at once, the same bytes the single
    // writes would have left. A copy not yet written goes with the object, so a failure half-way
    // leaves the file as it was.
    void BeginUpdate();
    void UpdateFile();

private:
    std::shared_ptr<const IniDocument> Current() const;
    IniDocument Editable() const;
    void Store(const IniDocument& document);

    AnsiString FFileName;
    std::optional<IniDocument> FPending;
};
