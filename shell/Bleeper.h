// Speaker tones: one tone of a given pitch and length, or one of three short tunes. Tones go to
// the tone sink (the audio output); waiting for a tone to end keeps the message loop running,
// so timers and windows stay alive while a tune plays.
#pragma once
#include <cstdint>

// Whether the system counts as the NT family, whose tone routine refuses pitches under 37 Hz
// (the port path takes 20 Hz and up). This platform is; tests switch it to reach the port path.
extern bool NTFamily;

// Freq in Hz (NT family 37..20000, otherwise 20..20000), MSecs >= -1. Raises ERangeError
// "Bleeper: MSecs < -1", "Bleeper: Freq < 37" (or 20), "Bleeper: Freq > 20000" before any sound.
// Returns when the tone has ended; with -1 the tone keeps sounding until NoSound.
void Bleep(std::uint16_t Freq, std::int32_t MSecs);
// Tunes 0, 1 and 2 (three rising, three falling and one low tone); other kinds play nothing.
void BleepTune(std::uint8_t kind);

// The speaker's own steps: a tone from the timer divisor (1193181 Hz / divisor), silence, a
// tone of a length, and a wait.
void Sound(std::uint16_t divisor);
void NoSound();
void SoundFor(std::uint16_t Freq, std::int32_t MSecs);
// Waits MSecs milliseconds while handling the program's messages; ends early when the program
// is quitting.
void Delay(std::int32_t MSecs);
