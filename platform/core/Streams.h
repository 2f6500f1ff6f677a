// Streams with the class library's semantics: Read returns what it could, ReadBuffer/WriteBuffer
// raise EReadError / EWriteError when short.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"
#include <cstdint>
#include <string>

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// File modes, combinable as in the class library.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFFFF;

class TStream : public TObject {
public:
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size);

    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source (all of it from its start when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// The bytes from the stream's position to its end, read until nothing more comes rather than
// trusting its size: a file may grow or be a special file.
std::string ReadToEnd(TStream& stream);

class TFileStream : public TStream {
public:
    // fmCreate creates or truncates; raises EFCreateError "Cannot create file <path>" or
    // EFOpenError "Cannot open file <path>".
    TFileStream(const AnsiString& fileName, unsigned mode);
    ~TFileStream() override;
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    int Handle() const { return FHandle; }
    const AnsiString& FileName() const { return FFileName; }

private:
    int FHandle = -1;
    AnsiString FFileName;
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t size) override;
    void Clear();
    const char* Memory() const { return FData.data(); }
    const std::string& Bytes() const { return FData; }
    void LoadFromFile(const AnsiString& path);
    void SaveToFile(const AnsiString& path) const;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

private:
    std::string FData;
    std::int64_t FPosition = 0;
};

// A memory stream over a string, for building request bodies and reading replies.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(const AnsiString& s = AnsiString());
    AnsiString DataString() const { return Bytes(); }
};
