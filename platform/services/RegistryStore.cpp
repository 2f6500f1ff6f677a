#include "platform/services/RegistryStore.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Files.h"
#include "platform/services/RegistryFile.h"
#include <unistd.h>

namespace {

// What the file was when it was last read or written: a file replaced since differs in its stamp.
// Something at the path that is no regular file still counts as there, so it is never saved over.
struct FileIdentity {
    std::string path;
    bool exists = false;
    FileStamp stamp;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const std::string& path)
{
    FileIdentity identity;
    identity.path = path;
    identity.exists = !path.empty() && (StampOfPath(FromSystemPath(path), identity.stamp) ||
                                        ::access(path.c_str(), F_OK) == 0);
    return identity;
}

struct Store {
    RegRoots roots;
    FileIdentity seen;
    bool loaded = false;
    // The file is there but could not be read: saving over it would lose it.
    bool unreadable = false;
};

Store& TheStore()
{
    static Store store;
    return store;
}

// The sub-key of that folded name, with its own spelling added to `spelled`; null when there is none.
RegKey* SubKeySpelled(RegKey& key, const AnsiString& folded, std::vector<AnsiString>& spelled)
{
    auto sub = key.subKeys.find(folded);
    if (sub == key.subKeys.end())
        return nullptr;
    spelled.push_back(sub->second->name);
    return sub->second.get();
}

// Moves the process-only keys of `from` into `to`, which holds none (the file never does).
void KeepProcessOnlyKeys(RegRoots& from, RegRoots& to)
{
    for (auto& [root, key] : from) {
        if (!IsNamedRegRoot(root)) {
            to[root] = std::move(key);
            continue;
        }
        const std::vector<AnsiString>& subtree = ProcessOnlySubtree();
        RegKey* parent = &key;
        std::vector<AnsiString> spelled;
        for (std::size_t i = 0; parent && i + 1 < subtree.size(); ++i)
            parent = SubKeySpelled(*parent, subtree[i], spelled);
        if (!parent)
            continue;
        auto kept = parent->subKeys.find(subtree.back());
        if (kept == parent->subKeys.end())
            continue;
        MakeRegKey(to[root], spelled)->subKeys[subtree.back()] = std::move(kept->second);
    }
}

void Load(Store& store, const FileIdentity& identity)
{
    RegRoots roots;
    store.unreadable = false;
    if (identity.exists) {
        try {
            roots = ParseRegistryFile(ReadWholeFile(FromSystemPath(identity.path)));
        } catch (const Exception&) {
            store.unreadable = true;
        }
    }
    KeepProcessOnlyKeys(store.roots, roots);
    store.roots = std::move(roots);
    store.seen = identity;
    store.loaded = true;
}

Store& Refreshed()
{
    Store& store = TheStore();
    FileIdentity now = IdentityOf(RegistryFilePath());
    if (!store.loaded || !(now == store.seen))
        Load(store, now);
    return store;
}

bool WriteFile(Store& store)
{
    const std::string path = RegistryFilePath();
    if (path.empty() || store.unreadable)
        return false;
    try {
        ForceDirectories(FromSystemPath(path.substr(0, path.rfind('/'))));
        AtomicWriteFile(FromSystemPath(path), FormatRegistryFile(store.roots));
    } catch (const Exception&) {
        return false;
    }
    store.seen = IdentityOf(path);
    return true;
}

} // namespace

RegKey& RegistryRoot(HKEY root)
{
    return Refreshed().roots[root];
}

bool SaveRegistryChange(HKEY root, const std::vector<AnsiString>& path)
{
    if (IsProcessOnlyKey(root, path))
        return true;
    Store& store = TheStore();
    if (WriteFile(store))
        return true;
    store.loaded = false;
    Refreshed();
    return false;
}
