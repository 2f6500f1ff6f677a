// Reports of changes in folders: every entry written, replaced, renamed, removed or given other
// rights, by folder and name. A report that was lost, or a change of a folder itself, counts as a
// change of everything.
#pragma once
#include "platform/core/AnsiString.h"
#include <map>
#include <utility>
#include <vector>

class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The folder's number in the reports, or -1 when its changes can't be watched.
    int Watch(const AnsiString& folder);

    struct Changes {
        bool everything = false;
        std::vector<std::pair<int, AnsiString>> entries; // folder number, entry name
        bool Any() const { return everything || !entries.empty(); }
        bool Touch(int folder, const AnsiString& name) const;
    };
    // What changed since the last call.
    Changes Collect();

private:
    int FHandle;
    std::map<AnsiString, int> FFolders;
};
