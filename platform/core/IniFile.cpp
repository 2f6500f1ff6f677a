#include "platform/core/IniFile.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/IniDocument.h"
#include "platform/core/IniDocumentCache.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"

namespace {

// A file that is missing or can't be read reads as empty, so every reader gets its default.
std::string LoadBytes(const AnsiString& fileName)
{
    try {
        return ReadWholeFile(fileName);
    } catch (const EStreamError&) {
        return std::string();
    }
}

IniDocument Load(const AnsiString& fileName)
{
    return IniDocument(LoadBytes(fileName));
}

// What was kept of the file is dropped even when the write fails half-way.
void Save(const AnsiString& fileName, const IniDocument& document)
{
    KeptIniDocuments().Forget(fileName);
    try {
        AtomicWriteFile(fileName, document.Bytes());
    } catch (const EStreamError&) {
        throw Exception("Unable to write to " + fileName);
    }
}

void Fill(TStrings& list, const std::vector<AnsiString>& names)
{
    list.BeginUpdate();
    list.Clear();
    for (const AnsiString& name : names)
        list.Add(name);
    list.EndUpdate();
}

} // namespace

// Reads share the process's parsed copy of the file (or the pending one) without copying it.
std::shared_ptr<const IniDocument> TIniFile::Current() const
{
    if (FPending)
        return std::shared_ptr<const IniDocument>(std::shared_ptr<const IniDocument>(), &*FPending);
    return KeptIniDocuments().Document(FFileName);
}

// Changes start from the file as it is on disk, or from the pending copy.
IniDocument TIniFile::Editable() const
{
    return FPending ? *FPending : Load(FFileName);
}

void TIniFile::Store(const IniDocument& document)
{
    if (FPending)
        FPending = document;
    else
        Save(FFileName, document);
}

void TIniFile::BeginUpdate()
{
    if (!FPending)
        FPending = Load(FFileName);
}

void TIniFile::UpdateFile()
{
    if (!FPending)
        return;
    const IniDocument document = std::move(*FPending);
    FPending.reset();
    Save(FFileName, document);
}

AnsiString TIniFile::ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue) const
{
    return Current()->Value(section, key).value_or(defaultValue);
}

// "0x1F" is read as hexadecimal as well as "$1F"; anything that is not a number gives the default.
int TIniFile::ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const
{
    return StrToIntDef(ReadString(section, key, AnsiString()), defaultValue);
}

bool TIniFile::ReadBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value)
{
    if (key.empty())
        return;
    if (FPending) {
        FPending->SetValue(section, key, value);
        return;
    }
    // The program writes settings it has just read (the day bar's switch at every start): the
    // same bytes again would only cost a new file and a wait for the disk, and where the kept
    // copy shows the value held as it would be written, reading the file too.
    const std::shared_ptr<const IniDocument> held = KeptIniDocuments().Held(FFileName);
    if (held && held->WrittenAsRead() && held->Holds(section, key, value))
        return;
    const std::string before = LoadBytes(FFileName);
    IniDocument document(before);
    document.SetValue(section, key, value);
    if (document.Bytes() == before)
        return;
    Save(FFileName, document);
}

void TIniFile::WriteInteger(const AnsiString& section, const AnsiString& key, int value)
{
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const AnsiString& section, const AnsiString& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(const AnsiString& section) const
{
    return Current()->HasSection(section);
}

bool TIniFile::ValueExists(const AnsiString& section, const AnsiString& key) const
{
    return Current()->Value(section, key).has_value();
}

void TIniFile::ReadSection(const AnsiString& section, TStrings& keys) const
{
    Fill(keys, Current()->Keys(section));
}

void TIniFile::ReadSections(TStrings& sections) const
{
    Fill(sections, Current()->Sections());
}

void TIniFile::EraseSection(const AnsiString& section)
{
    IniDocument document = Editable();
    if (!document.HasSection(section))
        return;
    document.EraseSection(section);
    Store(document);
}

void TIniFile::DeleteKey(const AnsiString& section, const AnsiString& key)
{
    IniDocument document = Editable();
    if (!document.Value(section, key))
        return;
    document.DeleteKey(section, key);
    Store(document);
}
