#include "platform/core/Filer.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include <limits>

namespace {

[[noreturn]] void InvalidValue()
{
    throw EReadError("Invalid property value");
}

} // namespace

// ---- writing ----

template <typename T>
void TWriter::WriteLittleEndian(T value)
{
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    std::uint8_t bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    FStream.WriteBuffer(bytes, sizeof(T));
}

void TWriter::WriteValue(TValueType type)
{
    auto byte = static_cast<std::uint8_t>(type);
    FStream.WriteBuffer(&byte, 1);
}

void TWriter::WriteName(const AnsiString& name)
{
    auto length = static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255));
    FStream.WriteBuffer(&length, 1);
    FStream.WriteBuffer(name.data(), length);
}

void TWriter::WriteProperties(TPersistent& instance)
{
    instance.DefineProperties(*this);
    WriteListEnd();
}

void TWriter::DefineProperty(const AnsiString& name, const TReaderProc&, const TWriterProc& writeData, bool hasData)
{
    if (!hasData || !writeData)
        return;
    WriteName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const AnsiString& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData)
{
    if (!hasData || !writeData)
        return;
    TMemoryStream bytes;
    writeData(bytes);
    WriteName(name);
    WriteValue(vaBinary);
    WriteLittleEndian(static_cast<std::uint32_t>(bytes.Size()));
    FStream.WriteBuffer(bytes.Memory(), bytes.Size());
}

void TWriter::WriteInteger(std::int32_t value)
{
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max()) {
        WriteValue(vaInt8);
        WriteLittleEndian(static_cast<std::int8_t>(value));
    } else if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()) {
        WriteValue(vaInt16);
        WriteLittleEndian(static_cast<std::int16_t>(value));
    } else {
        WriteValue(vaInt32);
        WriteLittleEndian(value);
    }
}

void TWriter::WriteBoolean(bool value)
{
    WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteString(const AnsiString& value)
{
    if (value.size() <= 255) {
        WriteValue(vaString);
        WriteName(value);
        return;
    }
    WriteValue(vaLString);
    WriteLittleEndian(static_cast<std::uint32_t>(value.size()));
    FStream.WriteBuffer(value.data(), static_cast<std::int64_t>(value.size()));
}

// ---- reading ----

template <typename T>
T TReader::ReadLittleEndian()
{
    std::uint8_t bytes[sizeof(T)];
    FStream.ReadBuffer(bytes, sizeof(T));
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<std::make_unsigned_t<T>>(static_cast<std::make_unsigned_t<T>>(bytes[i]) << (8 * i));
    return static_cast<T>(bits);
}

TValueType TReader::ReadValue()
{
    return static_cast<TValueType>(ReadLittleEndian<std::uint8_t>());
}

TValueType TReader::NextValue()
{
    TValueType type = ReadValue();
    FStream.Seek(-1, soFromCurrent);
    return type;
}

void TReader::CheckValue(TValueType expected)
{
    if (ReadValue() != expected)
        InvalidValue();
}

AnsiString TReader::ReadName()
{
    auto length = ReadLittleEndian<std::uint8_t>();
    AnsiString name(length, '\0');
    FStream.ReadBuffer(name.data(), length);
    return name;
}

// A length that the stream cannot hold is a damaged stream, not a reason to allocate it.
std::uint32_t TReader::ReadSize()
{
    auto size = ReadLittleEndian<std::uint32_t>();
    if (size > FStream.Size() - FStream.Position())
        throw EReadError("Stream read error");
    return size;
}

void TReader::ReadProperties(TPersistent& instance)
{
    while (!EndOfList()) {
        FPropName = ReadName();
        FPropHandled = false;
        instance.DefineProperties(*this);
        if (!FPropHandled)
            throw EReadError("Property " + FPropName + " does not exist");
    }
    ReadListEnd();
}

void TReader::DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc&, bool)
{
    if (FPropHandled || !readData || !SameText(name, FPropName))
        return;
    FPropHandled = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData, const TStreamProc&, bool)
{
    if (FPropHandled || !readData || !SameText(name, FPropName))
        return;
    FPropHandled = true;
    CheckValue(vaBinary);
    std::uint32_t size = ReadSize();
    TMemoryStream bytes;
    if (size > 0)
        bytes.CopyFrom(FStream, size);
    bytes.SetPosition(0);
    readData(bytes);
}

std::int32_t TReader::ReadInteger()
{
    switch (ReadValue()) {
    case vaInt8: return ReadLittleEndian<std::int8_t>();
    case vaInt16: return ReadLittleEndian<std::int16_t>();
    case vaInt32: return ReadLittleEndian<std::int32_t>();
    default: InvalidValue();
    }
}

bool TReader::ReadBoolean()
{
    switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: InvalidValue();
    }
}

AnsiString TReader::ReadString()
{
    switch (ReadValue()) {
    case vaString: return ReadName();
    case vaLString: {
        std::uint32_t size = ReadSize();
        AnsiString value(size, '\0');
        FStream.ReadBuffer(value.data(), size);
        return value;
    }
    default: InvalidValue();
    }
}
