#include "unpack/tarfile.h"

#include <algorithm>

namespace {

constexpr int kBlockSize = 512;
constexpr int kNameLength = 254; // a name without NUL runs on into the fields after it
constexpr int kSizeOffset = 124;
constexpr int kTimeOffset = 136;
constexpr int kNumberLength = 11;
constexpr int kTypeOffset = 156;

bool IsLeapYear(std::int64_t year)
{
    return year % 4 == 0;
}

} // namespace

TTarDate UnixTimeToParts(std::int64_t t)
{
    TTarDate date;
    date.Second = static_cast<int>(t % 60);
    t /= 60;
    date.Minute = static_cast<int>(t % 60);
    t /= 60;
    date.Hour = static_cast<int>(t % 24);
    std::int64_t days = t / 24;
    std::int64_t year = 1970;
    while (days >= (IsLeapYear(year) ? 366 : 365)) {
        days -= IsLeapYear(year) ? 366 : 365;
        ++year;
    }
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    while (days >= lengths[month] + (month == 1 && IsLeapYear(year) ? 1 : 0)) {
        days -= lengths[month] + (month == 1 && IsLeapYear(year) ? 1 : 0);
        ++month;
    }
    date.Day = static_cast<int>(days) + 1;
    date.Month = month + 1;
    date.Year = static_cast<int>(year);
    return date;
}

TTarFile::TTarFile(const AnsiString& fileName)
    : FStream(fileName, fmOpenRead | fmShareDenyWrite)
{
    FSize = FStream.Size();
}

int TTarFile::Progress() const
{
    if (FSize <= 0)
        return 100;
    return static_cast<int>(FPosition * 100 / FSize);
}

AnsiString TTarFile::GetNextFileName()
{
    FName.clear();
    if (Eof() || FState != tsExpectHeader)
        return FName;
    std::int64_t got = FStream.Read(FHeader, kBlockSize);
    FPosition += std::max<std::int64_t>(got, 0);
    if (got < kBlockSize) {
        FState = tsError;
        return FName;
    }
    AnsiString name;
    for (int i = 0; i < kNameLength && FHeader[i] != 0; ++i)
        name += static_cast<char>(FHeader[i]);
    if (!name.empty()) {
        FState = tsNameRead;
        FName = FixTarName(name);
    } else if (std::all_of(FHeader, FHeader + kBlockSize, [](unsigned char b) { return b == 0; })) {
        FState = tsEndOfArchive;
        MoveForward(BytesLeft());
    }
    return FName;
}

// Every octal digit counts and every other byte is passed over, so blanks and NULs anywhere in
// the field are tolerated. Eleven digits fit easily in 64 bits.
std::int64_t TTarFile::ParseOctal(int offset, int length) const
{
    std::int64_t value = 0;
    for (int i = offset; i < offset + length; ++i)
        if (FHeader[i] >= '0' && FHeader[i] <= '7')
            value = value * 8 + (FHeader[i] - '0');
    return value;
}

// The size is read even when the header is the archive's last block: a member whose data is
// missing must end the walk with an error, not vanish silently.
std::int64_t TTarFile::GetFileSize()
{
    FRemaining = 0;
    if (FState == tsNameRead) {
        FRemaining = ParseOctal(kSizeOffset, kNumberLength);
        FState = FRemaining > 0 ? tsSizeRead : tsExpectHeader;
    }
    FPad = (kBlockSize - FRemaining % kBlockSize) % kBlockSize;
    return FRemaining;
}

TTarDate TTarFile::GetFileDate()
{
    std::int64_t seconds = 0;
    if (FState == tsSizeRead) {
        seconds = ParseOctal(kTimeOffset, kNumberLength);
        FState = tsDateRead;
    }
    return UnixTimeToParts(seconds);
}

std::int64_t TTarFile::ReadData(void* buffer, std::int64_t count)
{
    if (FState != tsDateRead || BytesLeft() < FRemaining) {
        FState = tsError;
        return 0;
    }
    if (count <= 0)
        return 0;
    std::int64_t got = FStream.Read(buffer, std::min(count, FRemaining));
    if (got <= 0) {
        FState = tsError;
        return 0;
    }
    FPosition += got;
    FRemaining -= got;
    if (FRemaining == 0) {
        FState = tsExpectHeader;
        MoveForward(FPad);
    }
    return got;
}

void TTarFile::SkipData()
{
    if (FState != tsDateRead || BytesLeft() < FRemaining) {
        FState = tsError;
        return;
    }
    MoveForward(FRemaining + FPad);
    FRemaining = 0;
    FState = tsExpectHeader;
}

// Padding missing at the very end of an archive is tolerated: the position stops at the end.
void TTarFile::MoveForward(std::int64_t count)
{
    FPosition = std::min(FPosition + count, FSize);
    FStream.Seek(FPosition, soFromBeginning);
}

TTarKind TTarFile::Kind() const
{
    switch (FHeader[kTypeOffset]) {
    case '0':
    case '\0':
    case '7':
        return TTarKind::File;
    case '5':
        return TTarKind::Folder;
    default:
        return TTarKind::Other;
    }
}

AnsiString TTarFile::FixTarName(const AnsiString& name)
{
    AnsiString fixed = name;
    for (std::size_t i = fixed.size(); i-- > 0;) {
        switch (fixed[i]) {
        case '/':
            fixed[i] = '\\';
            break;
        case ' ':
        case '+':
        case ':':
        case '<':
        case '>':
        case '|':
            fixed[i] = '_';
            break;
        default:
            break;
        }
    }
    return fixed;
}
