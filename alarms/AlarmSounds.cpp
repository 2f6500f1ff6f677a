#include "alarms/AlarmSounds.h"
#include "platform/messages/Timer.h"
#include "platform/services/MediaPlayer.h"

AlarmSoundOutputs AlarmSounds;

void StopAlarmSound()
{
    if (AlarmSounds.Player && AlarmSounds.Player->Mode() == TMPModes::mpPlaying)
        AlarmSounds.Player->Stop();
}

void StopAlarmBeeps()
{
    if (AlarmSounds.BeepTimer)
        AlarmSounds.BeepTimer->SetEnabled(false);
}
