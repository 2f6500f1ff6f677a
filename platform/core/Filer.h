// The filer: an object's properties as a list of named values in a stream, written by TWriter
// and read back by TReader. Every value starts with its type byte; a list ends with vaNull, and
// so does an object's property list. Names are a length byte and the bytes; integers are
// little-endian and as short as their value allows.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Persistent.h"
#include "platform/core/Streams.h"
#include <cstdint>
#include <functional>

enum TValueType : std::uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
    vaLString
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

class TFiler {
public:
    explicit TFiler(TStream& stream) : FStream(stream) {}
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // The same object in the form this one inherits from, or nullptr: what equals it need not
    // be written.
    TPersistent* Ancestor = nullptr;

    // A property whose value is written and read as filer values.
    virtual void DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc& writeData,
                                bool hasData) = 0;
    // A property whose value is raw bytes, written and read through a stream of their own.
    virtual void DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;

protected:
    TStream& FStream;
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;

    // The object's defined properties that have data, then the end of the list.
    void WriteProperties(TPersistent& instance);
    void DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

    void WriteInteger(std::int32_t value);
    void WriteBoolean(bool value);
    void WriteString(const AnsiString& value);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }

private:
    void WriteValue(TValueType type);
    void WriteName(const AnsiString& name);
    template <typename T>
    void WriteLittleEndian(T value);
};

// Reading raises EReadError: "Invalid property value" for a value of another type than asked,
// "Property <name> does not exist" for a name the object does not define, and the stream's
// own error when the stream ends early.
class TReader : public TFiler {
public:
    using TFiler::TFiler;

    // Reads a property list into the object, each value by the routine it defines.
    void ReadProperties(TPersistent& instance);
    void DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

    std::int32_t ReadInteger();
    bool ReadBoolean();
    AnsiString ReadString();
    void ReadListBegin() { CheckValue(vaList); }
    void ReadListEnd() { CheckValue(vaNull); }
    // True when the next value ends a list (it is not taken).
    bool EndOfList() { return NextValue() == vaNull; }
    TValueType NextValue();

private:
    TValueType ReadValue();
    void CheckValue(TValueType expected);
    AnsiString ReadName();
    template <typename T>
    T ReadLittleEndian();
    std::uint32_t ReadSize();

    AnsiString FPropName;
    bool FPropHandled = false;
};
