// What firing an alarm does, as its action string asks: which notice window, how many beeps,
// which sound file to play and which program to start; and the warnings when the sound file or
// the program fails.
#pragma once
#include "platform/core/AnsiString.h"
#include <optional>

struct FiringPlan {
    // Each looked for on its own, so a string naming two types shows both.
    bool NormalNotice = false;      // "#SHD:Normaali ilmoitus näytölle"
    bool FullScreenNotice = false;  // "#SHD:Koko ruudun ilmoitus näytölle"
    bool ExtrasOnly = false;        // "#SHD:Vain lisäasetukset"
    // The digit after "#PCS"; empty without one, which sounds no beeps.
    std::optional<int> Beeps;
    std::optional<AnsiString> SoundFile;  // with "#WV:"
    std::optional<AnsiString> Program;    // with "#EX:"

    bool Notice() const { return NormalNotice || FullScreenNotice || ExtrasOnly; }
};

FiringPlan ReadFiringPlan(const AnsiString& actions);

// "Äänitiedostoa ei löydy tai ei ole valittu." CR LF "(" file ")".
AnsiString MissingSoundWarning(const AnsiString& soundFile);
// "Ohjelmaa ei löydy,ei ole valittu tai virhe ilmeni sen suorittamisen aikana." CR LF "(" program ")".
AnsiString ProgramFailedWarning(const AnsiString& program);
