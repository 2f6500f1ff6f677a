#include "platform/services/ToneSink.h"
#include "platform/services/AudioToneSink.h"

namespace {
ToneSink* installedSink = nullptr;
}

ToneSink& Tones()
{
    if (installedSink)
        return *installedSink;
    static AudioToneSink audio;
    return audio;
}

void SetToneSink(ToneSink* sink)
{
    installedSink = sink;
}
