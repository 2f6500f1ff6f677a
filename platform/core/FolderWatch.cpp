#include "platform/core/FolderWatch.h"
#include "platform/core/Files.h"
#include <sys/inotify.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

FolderWatch::FolderWatch() : FHandle(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatch::~FolderWatch()
{
    if (FHandle >= 0)
        close(FHandle);
}

int FolderWatch::Watch(const AnsiString& folder)
{
    if (FHandle < 0 || folder.empty())
        return -1;
    if (auto known = FFolders.find(folder); known != FFolders.end())
        return known->second;
    constexpr std::uint32_t events = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_CREATE |
                                     IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    const int number = inotify_add_watch(FHandle, ToSystemPath(folder).c_str(), events);
    if (number >= 0)
        FFolders[folder] = number;
    return number;
}

bool FolderWatch::Changes::Touch(int folder, const AnsiString& name) const
{
    return everything || std::find(entries.begin(), entries.end(), std::make_pair(folder, name)) != entries.end();
}

FolderWatch::Changes FolderWatch::Collect()
{
    Changes changes;
    if (FHandle < 0)
        return changes;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = read(FHandle, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            // An event without a name is about the folder itself (or a lost report).
            if (event.len == 0 || (event.mask & IN_Q_OVERFLOW))
                changes.everything = true;
            else
                changes.entries.emplace_back(event.wd, AnsiString(FromSystemPath(std::string(name, strnlen(name, event.len)))));
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    // A removed or moved folder's watch is gone; each is set again on its next use.
    if (changes.everything)
        FFolders.clear();
    return changes;
}
