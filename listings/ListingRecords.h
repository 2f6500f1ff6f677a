// The day records of one weekly listing file, read one after another from a stream, as the
// search reads them: a little-endian key, a little-endian text length and the text. No length
// is trusted: one outside 0..100000 stops the reading and is kept for the report, and a file that
// ends early simply has no more records.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

class TStream;
class TMemoryStream;

class ListingRecordReader {
public:
    static constexpr int RecordsPerFile = 7;
    static constexpr std::int32_t LongestText = 100000;

    enum class Step { Record, End, BadLength };

    explicit ListingRecordReader(TStream& stream) : FStream(stream) {}

    // Reads the next of the seven records. Record: Key() and Text() hold it. BadLength: Key()
    // and Length() hold the offending header and nothing more is read. End: after the seventh
    // record or where the file ends.
    Step Next();

    std::int32_t Key() const { return FKey; }
    std::int32_t Length() const { return FLength; }
    const AnsiString& Text() const { return FText; }

private:
    TStream& FStream;
    int FRead = 0;
    bool FStopped = false;
    std::int32_t FKey = 0;
    std::int32_t FLength = 0;
    AnsiString FText;
};

// Fills bytes with as much of the listing file at path as the reader can ever use (seven headers
// and seven of the longest texts), read in one go rather than twice a record. Raises EFOpenError
// as a file stream would.
void LoadRecordBytes(const AnsiString& path, TMemoryStream& bytes);
