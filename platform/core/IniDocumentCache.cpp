#include "platform/core/IniDocumentCache.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"

namespace {

// A few settings files and what tests make; more than that means paths come and go.
constexpr std::size_t kKeptFiles = 16;

std::shared_ptr<const IniDocument> EmptyDocument()
{
    static const auto empty = std::make_shared<const IniDocument>(std::string_view());
    return empty;
}

} // namespace

IniDocumentCache::IniDocumentCache(bool watchFolders) : FWatchFolders(watchFolders) {}

void IniDocumentCache::DropChanged()
{
    if (!FWatch)
        return;
    const FolderWatch::Changes changes = FWatch->Collect();
    if (!changes.Any())
        return;
    for (auto kept = FKept.begin(); kept != FKept.end();) {
        if (kept->second.folder >= 0 && changes.Touch(kept->second.folder, ExtractFileName(kept->first)))
            kept = FKept.erase(kept);
        else
            ++kept;
    }
}

// The kept copy while the file is still the one read, else null; `now` gets the file's stamp,
// none for a file that isn't there.
std::shared_ptr<const IniDocument> IniDocumentCache::StillHeld(const AnsiString& path,
                                                               std::optional<FileStamp>& now)
{
    DropChanged();
    FileStamp stamp;
    if (!StampOfPath(path, stamp)) {
        FKept.erase(path);
        now.reset();
        return nullptr;
    }
    now = stamp;
    auto kept = FKept.find(path);
    return kept != FKept.end() && kept->second.stamp == stamp ? kept->second.document : nullptr;
}

std::shared_ptr<const IniDocument> IniDocumentCache::Document(const AnsiString& path)
{
    std::lock_guard<std::mutex> guard(FLock);
    std::optional<FileStamp> now;
    if (auto held = StillHeld(path, now))
        return held;
    return now ? Read(path, *now) : EmptyDocument();
}

std::shared_ptr<const IniDocument> IniDocumentCache::Held(const AnsiString& path)
{
    std::lock_guard<std::mutex> guard(FLock);
    std::optional<FileStamp> now;
    return StillHeld(path, now);
}

int IniDocumentCache::WatchFolderOf(const AnsiString& path)
{
    if (!FWatchFolders || path.empty() || path[0] != '/')
        return -1;
    if (!FWatch)
        FWatch = std::make_unique<FolderWatch>();
    return FWatch->Watch(ExtractFilePath(path));
}

// The watch is set before the file is opened and the stamp is taken from the open file before its
// bytes are read: a change after either is reported or moves the times. A file that looked
// settled but is changed before it is opened is not kept.
std::shared_ptr<const IniDocument> IniDocumentCache::Read(const AnsiString& path, const FileStamp& seen)
{
    FKept.erase(path);
    const int folder = StampSettled(seen) ? -1 : WatchFolderOf(path);
    FileStamp stamp;
    std::shared_ptr<const IniDocument> document;
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        if (!StampOfHandle(file.Handle(), stamp))
            return EmptyDocument();
        document = std::make_shared<const IniDocument>(ReadToEnd(file));
    } catch (const EStreamError&) {
        return EmptyDocument();
    }
    const bool watched = folder >= 0 && IsSoleNameOfFile(path, stamp);
    if (watched || StampSettled(stamp)) {
        if (FKept.size() >= kKeptFiles)
            FKept.clear();
        FKept[path] = {stamp, watched ? folder : -1, document};
    }
    return document;
}

void IniDocumentCache::Forget(const AnsiString& path)
{
    std::lock_guard<std::mutex> guard(FLock);
    FKept.erase(path);
}

// Never destroyed: settings may be read or written by other static objects' destructors at exit.
IniDocumentCache& KeptIniDocuments()
{
    static IniDocumentCache* cache = new IniDocumentCache;
    return *cache;
}
