// TGzip turns one gzip file into one plain file through zlib's gzip-file routines. A file that
// is not gzip data is copied unchanged (zlib's transparent reading). The compression properties
// are carried for the form but nothing is ever compressed.
#pragma once
#include "platform/core/Component.h"
#include <cstdint>
#include <functional>
#include <set>

class ReplacementFile;
struct gzFile_s;

enum class THeaderField { filename, comment };
using THeader = std::set<THeaderField>;
using TCompressionLevel = int; // 1..9
enum class TCompressionType { Standard, Filtered, HuffmanOnly };
using TZeroHundred = int; // 0..100

// Gunzip results. Whatever fails after the destination was begun leaves no destination file.
constexpr int GunzipOk = 0;
constexpr int GunzipCantOpen = 1;     // the source can't be opened
constexpr int GunzipCantCreate = 2;   // the destination can't be created, or it is the source
constexpr int GunzipReadError = 3;    // truncated or corrupt data, a CRC or length mismatch
constexpr int GunzipWriteError = 4;   // fewer bytes written than read (a full disk)
constexpr int GunzipCloseError = 5;   // zlib reported an error when the source was closed
constexpr int GunzipTooLarge = 6;     // more than GunzipMaxSize bytes of output
constexpr int GunzipDestCloseError = 7; // the destination could not be closed

// A listing package is a few megabytes; anything past this is a bomb, not a package.
constexpr std::int64_t GunzipMaxSize = 64 * 1024 * 1024;

// An error box with one button, as TGzip shows it when WindowOnError is set. The program points
// the hook at its message dialog; until then the box goes to standard error.
struct TGzipErrorBox {
    AnsiString Caption;
    AnsiString Text;
    AnsiString Button;
};
extern std::function<void(const TGzipErrorBox&)> GzipErrorBox;

class TGzip : public TComponent {
public:
    explicit TGzip(TComponent* AOwner) : TComponent(AOwner) {}

    THeader GzipHeader {THeaderField::filename};
    bool DeleteSource = false;
    AnsiString FileSource = "data.dat";
    AnsiString FileDestination = "data.dat.gz";
    AnsiString Comments = "QEX 2000";
    TCompressionLevel CompressionLevel = 6;
    TCompressionType CompressionType = TCompressionType::Standard;
    bool WindowOnError = true;
    TZeroHundred ProgressStep = 0; // 0: no progress events
    TNotifyEvent OnProgress;

    int Progress = 0; // percentage of the source read, as last reported

    int Gunzip();

protected:
    virtual void DoOnProgress();

private:
    // The copy; a failure's text goes into `failure`, for the box shown once the run is cleared.
    int GunzipCopy(gzFile_s* source, ReplacementFile& destination, std::int64_t sourceSize, AnsiString& failure);
    void ReportProgress(std::int64_t sourceRead, std::int64_t sourceSize);
    void ShowError(const AnsiString& text) const;
};
