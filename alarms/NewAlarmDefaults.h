// What new alarms are made with where section "Hälytys" of the settings holds no value of its
// own, as before the settings dialog was first saved. The dialog shows the same values, so an
// alarm added before then behaves as the dialog says it will.
#pragma once
#include "platform/core/AnsiString.h"

struct NewAlarmSettings {
    AnsiString NoticeType;  // "Tyyppi"
    bool Beeps = false;     // "PCSpeakerKäytössä"
    int BeepCount = 0;      // "PCSpeakerTimes"
    AnsiString SoundFile;   // "Ääni"
    AnsiString Program;     // "Ohjelma"
};

// A notice window with five beeps, no sound file and no program.
const NewAlarmSettings& NewAlarmDefaults();
