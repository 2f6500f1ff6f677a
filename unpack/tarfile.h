// Sequential reader of a tar archive: walks the 512-byte headers and hands out each member's
// name, size, date and data. Every size is checked against the bytes the archive still holds, so
// a truncated or lying archive puts the reader in tsError instead of waiting for data.
#pragma once
#include "platform/core/Streams.h"
#include <cstdint>

// Where the reader stands.
enum TTarState : std::uint8_t {
    tsExpectHeader = 0,
    tsNameRead = 1,
    tsSizeRead = 2,
    tsDateRead = 3,
    tsError = 4,        // a short header, data that isn't there, or a call out of order
    tsEndOfArchive = 5, // an all-zero header; the stream then stands at its end
};

// What a member is, by its type flag. Only files are written and only folders shape the tree;
// pax and long-name headers, links, devices and fifos are passed over with their data.
enum class TTarKind { File, Folder, Other };

// A member's time in UTC, as the archive gives it.
struct TTarDate {
    int Second = 0, Minute = 0, Hour = 0, Day = 0, Month = 0, Year = 0;
};

// Seconds since 1970-01-01 as date parts; every fourth year is a leap year.
TTarDate UnixTimeToParts(std::int64_t t);

class TTarFile : public TObject {
public:
    // Opens the archive for reading; raises EFOpenError when it can't.
    explicit TTarFile(const AnsiString& fileName);

    bool Eof() const { return FPosition >= FSize; }
    int Progress() const; // percentage of the archive passed, 100 for an empty one

    // Calling order per member: GetNextFileName, GetFileSize, then for a size above 0
    // GetFileDate and either ReadData until the size is consumed or SkipData.
    AnsiString GetNextFileName(); // empty for a block that names nothing or at the end
    std::int64_t GetFileSize();
    TTarDate GetFileDate();
    std::int64_t ReadData(void* buffer, std::int64_t count); // 0 and tsError when it can't
    void SkipData();

    TTarState State() const { return FState; }
    TTarKind Kind() const;
    const AnsiString& Name() const { return FName; }

    // '/' becomes '\' and each of " +:<>|" becomes '_'.
    static AnsiString FixTarName(const AnsiString& name);

private:
    std::int64_t BytesLeft() const { return FSize - FPosition; }
    std::int64_t ParseOctal(int offset, int length) const;
    void MoveForward(std::int64_t count);

    TFileStream FStream;
    std::int64_t FSize = 0;
    std::int64_t FPosition = 0;
    TTarState FState = tsExpectHeader;
    AnsiString FName;
    unsigned char FHeader[512] {};
    std::int64_t FRemaining = 0;
    std::int64_t FPad = 0;
};
