// Where the speaker's tones go: the audio output in the program, a recorder in tests.
#pragma once

class ToneSink {
public:
    virtual ~ToneSink() = default;
    // Sounds `hertz` until StopTone, replacing any tone that is sounding.
    virtual void StartTone(double hertz) = 0;
    virtual void StopTone() = 0;
};

// The sink in use: the audio output unless another one was installed.
ToneSink& Tones();
// Installs `sink` (not owned); nullptr returns to the audio output.
void SetToneSink(ToneSink* sink);
