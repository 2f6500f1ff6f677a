// The INI files a process reads, each parsed once and again only when it changed, so that reading
// a hundred values costs one reading of the file. What is kept is used only while the file is
// provably the one that was read: the same file, size and times, and either a watch on its folder
// that reports every change of it (in place, replaced, removed, within the same clock tick too),
// or times older than the clock's coarsest tick, which any later change must move. A file reached
// through a link, or with a second name, is watched through its times alone. The watch is made
// only for a file changed moments ago: its kernel object makes the process's end wait.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/FileStamp.h"
#include "platform/core/FolderWatch.h"
#include "platform/core/IniDocument.h"
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

class IniDocumentCache {
public:
    // Without watching folders, only the file's stamp tells a change.
    explicit IniDocumentCache(bool watchFolders = true);

    // The file as it is now; an empty document for a missing or unreadable file.
    std::shared_ptr<const IniDocument> Document(const AnsiString& path);
    // What is kept of the file while it is still the file that was read; null when nothing is.
    // Never reads the file.
    std::shared_ptr<const IniDocument> Held(const AnsiString& path);
    // Drops what is kept of the file: the program has just written it.
    void Forget(const AnsiString& path);

private:
    struct Kept {
        FileStamp stamp;
        int folder = -1; // its number in the watch's reports when the watch covers it
        std::shared_ptr<const IniDocument> document;
    };

    void DropChanged();
    std::shared_ptr<const IniDocument> StillHeld(const AnsiString& path, std::optional<FileStamp>& now);
    std::shared_ptr<const IniDocument> Read(const AnsiString& path, const FileStamp& seen);
    int WatchFolderOf(const AnsiString& path);

    std::mutex FLock;
    const bool FWatchFolders;
    std::unique_ptr<FolderWatch> FWatch; // made at the first file that needs it
    std::unordered_map<AnsiString, Kept> FKept;
};

// The one every TIniFile reads through.
IniDocumentCache& KeptIniDocuments();
