// TUnTar writes the file members of a tar archive under a folder. Members never land outside
// that folder, whatever their names or the folder's symlinks say; each file is written under a
// temporary name and renamed into place only when complete, so a damaged archive leaves existing
// files as they were. The process's current directory is never changed.
#pragma once
#include "platform/core/Component.h"
#include "unpack/tarfile.h"

enum TOverwriteMode { omSkip, omRename, omReplace };

struct TNextFile {
    AnsiString Name;       // after FixTarName, '\' between folders
    std::int64_t Size = 0; // counts down to 0 while the data is written
    TTarDate Date;
};

class TUnTar : public TComponent {
public:
    explicit TUnTar(TComponent* AOwner) : TComponent(AOwner) {}

    AnsiString FileSource;        // relative: taken inside UnpackPath
    AnsiString UnpackPath;        // empty: the current directory
    int ProgressStep = 0;         // 0..100; 0: no progress events
    TNotifyEvent OnProgress;
    TOverwriteMode OverwriteMode = omRename;
    bool CreateEmptyDir = false;  // also make the folders of members without data
    TNotifyEvent OnExtractOverwrite; // sets OverwriteAction or NewFileName
    TNotifyEvent OnNextFile;

    TNextFile NextFile;
    int Progress = 0;
    TOverwriteMode OverwriteAction = omRename;
    AnsiString NewFileName;       // relative: taken inside UnpackPath
    AnsiString Target;            // the file being written

    // Raises EFOpenError for an archive that can't be opened, EReadError for a truncated or
    // damaged one, EInOutError, EFCreateError or EWriteError when a folder or file can't be made
    // or written. Members completed before the error stay; the one being written is discarded.
    void Extract();

protected:
    virtual void DoOnNextFile();
    virtual void DoOnExtractOverwrite();
    virtual void DoOnProgress();

private:
    AnsiString SourcePath() const;
    void ExtractFile(TTarFile& tar);
    bool ChooseTarget();
    void WriteTarget(TTarFile& tar);
    void SkipMember(TTarFile& tar);
    void CheckReader(const TTarFile& tar) const;
    void UpdateProgress(const TTarFile& tar);

    std::string FRoot;   // canonical UnpackPath, as the file system spells it
    std::string FTarget; // Target, as the file system spells it
};

// The member's date parts read as local time, to two seconds as the platform's file dates keep
// them, in Unix seconds; 0 for a date outside 1980..2099 (the file then keeps its write time).
std::int64_t TarDateToFileDate(const TTarDate& date);
