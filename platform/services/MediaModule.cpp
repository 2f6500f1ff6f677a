// The sound module's entry: what the program reaches once it has loaded the module.
#include "platform/services/AudioToneSink.h"
#include "platform/services/MediaEngine.h"
#include "platform/services/MediaFilePlayback.h"

namespace {

ToneSink* ToneSinkInstance()
{
    static AudioToneSink audio;
    return &audio;
}

const MediaModuleEntry kEntry = {NewMediaFilePlayback, ToneSinkInstance};

} // namespace

extern "C" __attribute__((visibility("default"))) const MediaModuleEntry* qex_media_module()
{
    return &kEntry;
}
