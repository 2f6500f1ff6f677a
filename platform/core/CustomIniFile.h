// What every settings store answers: the INI file and the registry's INI-like view read, write
// and erase the same way, so code that keeps settings works with either without asking which.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"

class TStrings;

class TCustomIniFile : public TObject {
public:
    virtual AnsiString ReadString(const AnsiString& section, const AnsiString& ident,
                                  const AnsiString& defaultValue) const = 0;
    virtual int ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue) const = 0;
    virtual bool ReadBool(const AnsiString& section, const AnsiString& ident, bool defaultValue) const = 0;
    virtual void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) = 0;
    virtual void WriteInteger(const AnsiString& section, const AnsiString& ident, int value) = 0;
    virtual void WriteBool(const AnsiString& section, const AnsiString& ident, bool value) = 0;
    virtual void ReadSection(const AnsiString& section, TStrings& idents) const = 0;
    virtual void EraseSection(const AnsiString& section) = 0;
    virtual void DeleteKey(const AnsiString& section, const AnsiString& ident) = 0;
};
