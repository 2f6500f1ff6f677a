// The sound side behind TMediaPlayer and the speaker's tones. Qt Multimedia brings the audio
// system's client, its codecs and the network library with it, a third of the libraries a start
// would load; so it lives in a module of its own, loaded at the first sound. A program that
// plays nothing pays nothing for it.
#pragma once
#include <memory>
#include <string>

class ToneSink;

// One sound file at a time through the default audio output.
class MediaFilePlayer {
public:
    enum class Opening { Opened, NoPlayer, CannotPlay };

    virtual ~MediaFilePlayer() = default;
    // Closes what was open and opens the file at path (in the system's encoding). Without an
    // audio device a file that opens plays silently, over at once.
    virtual Opening Open(const std::string& path) = 0;
    // False while nothing is open (a backend may close a file it finds unplayable later).
    virtual bool IsOpen() const = 0;
    virtual void Play() = 0; // from the start
    virtual void Stop() = 0;
    virtual void Close() = 0;
    virtual bool Playing() const = 0;
};

// A new player, or null when the module can't be loaded (the reason is logged once).
std::unique_ptr<MediaFilePlayer> CreateMediaFilePlayer();
// The audio output's tone sink, or null when the module can't be loaded; it lives as long as
// the program.
ToneSink* AudioToneSinkFromModule();

// The module's entry point, looked up by this name.
struct MediaModuleEntry {
    MediaFilePlayer* (*CreatePlayer)();
    ToneSink* (*ToneSinkInstance)();
};
using MediaModuleEntryFunction = const MediaModuleEntry* (*)();
#define QEX_MEDIA_MODULE_ENTRY "qex_media_module"
