#include "platform/services/ToneSink.h"
#include "platform/services/MediaEngine.h"

namespace {

ToneSink* installedSink = nullptr;

// The audio output, reached through the sound module at the first tone; silent without it.
class ModuleToneSink : public ToneSink {
public:
    void StartTone(double hertz) override
    {
        if (ToneSink* audio = Audio())
            audio->StartTone(hertz);
    }
    void StopTone() override
    {
        if (FAudio)
            FAudio->StopTone();
    }

private:
    ToneSink* Audio()
    {
        if (!FAsked) {
            FAsked = true;
            FAudio = AudioToneSinkFromModule();
        }
        return FAudio;
    }

    bool FAsked = false;
    ToneSink* FAudio = nullptr;
};

} // namespace

ToneSink& Tones()
{
    if (installedSink)
        return *installedSink;
    static ModuleToneSink audio;
    return audio;
}

void SetToneSink(ToneSink* sink)
{
    installedSink = sink;
}
