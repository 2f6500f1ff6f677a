#include "listings/ListingRecords.h"
#include "platform/core/Streams.h"
#include <algorithm>

namespace {

constexpr std::int64_t kHeaderSize = 8;

std::int32_t LittleEndian32(const unsigned char* bytes)
{
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

} // namespace

ListingRecordReader::Step ListingRecordReader::Next()
{
    if (FStopped || FRead >= RecordsPerFile)
        return Step::End;
    FStopped = true; // until this record is read whole
    unsigned char header[kHeaderSize];
    if (FStream.Read(header, kHeaderSize) != kHeaderSize)
        return Step::End;
    FKey = LittleEndian32(header);
    FLength = LittleEndian32(header + 4);
    if (FLength < 0 || FLength > LongestText)
        return Step::BadLength;
    FText.assign(static_cast<std::size_t>(FLength), '\0');
    if (FLength > 0 && FStream.Read(FText.data(), FLength) != FLength)
        return Step::End;
    ++FRead;
    FStopped = false;
    return Step::Record;
}

void LoadRecordBytes(const AnsiString& path, TMemoryStream& bytes)
{
    constexpr std::int64_t usable = ListingRecordReader::RecordsPerFile * (kHeaderSize + ListingRecordReader::LongestText);
    TFileStream file(path, fmOpenRead | fmShareDenyNone);
    const std::int64_t wanted = std::clamp<std::int64_t>(file.Size(), 0, usable);
    std::string buffer(static_cast<std::size_t>(wanted), '\0');
    std::int64_t got = 0;
    while (got < wanted) {
        const std::int64_t read = file.Read(buffer.data() + got, wanted - got);
        if (read <= 0)
            break;
        got += read;
    }
    bytes.Clear();
    bytes.WriteBuffer(buffer.data(), got);
    bytes.SetPosition(0);
}
