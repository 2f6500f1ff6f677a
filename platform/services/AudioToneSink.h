// Tones rendered as a square wave, like the PC speaker's, into the default audio output. Without
// an audio device (or without an application object) every tone is silent and nothing fails.
#pragma once
#include "platform/services/ToneSink.h"
#include <QPointer>

class ToneOutput;

class AudioToneSink : public ToneSink {
public:
    void StartTone(double hertz) override;
    void StopTone() override;

private:
    ToneOutput* Output();

    // Lives under the application object, so Qt frees it before the audio system goes away.
    QPointer<ToneOutput> FOutput;
    bool FTriedWithoutDevice = false;
};
