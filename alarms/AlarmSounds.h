// The alarm sound and the beeps that closing an alarm window stops. Both belong to the main
// window (its media player Aanisoitto and its BeepTimer); it sets them here when it makes them
// and clears them before it frees them. Either may be null.
#pragma once

class TMediaPlayer;
class TTimer;

struct AlarmSoundOutputs {
    TMediaPlayer* Player = nullptr;
    TTimer* BeepTimer = nullptr;
};
extern AlarmSoundOutputs AlarmSounds;

// Stops the player when it is playing; a sound that has ended is left alone.
void StopAlarmSound();
// Switches the beep timer off: the beeps of every fired alarm end, as they share the one timer.
void StopAlarmBeeps();
