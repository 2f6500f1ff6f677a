// The alarm action string, the last field of an alarm row: "#NRM ", "#SHD:" with the notice type,
// then optionally "#PCS" with the beep count, "#WV:" with the quoted sound file and "#EX:" with
// the quoted program, each token ended by one blank. Readers find the tokens by substring search.
#pragma once
#include "platform/core/AnsiString.h"
#include <array>

// The notice types in the order the add/edit dialog lists them.
extern const std::array<AnsiString, 3> AlarmNoticeTypes;
enum AlarmNoticeIndex { niNormal = 0, niFullScreen = 1, niExtrasOnly = 2 };

struct AlarmActions {
    AnsiString NoticeType;
    bool Beeps = false;
    AnsiString BeepCount;  // written as given after "#PCS"
    AnsiString SoundFile;  // left out when 3 characters or shorter
    AnsiString Program;    // likewise
};

AnsiString AlarmActionString(const AlarmActions& actions);

// The text from the double quote after `token` up to the next double quote (or the end); empty
// when the token is absent. Searching starts at the 0-based `from`.
AnsiString AlarmActionPath(const AnsiString& actions, const AnsiString& token, std::size_t from = 0);

// What the edit command reads back from a row's action string: the count is the one character
// after "#PCS"; the notice type is told by the first letter after "#SHD:" ('N', 'K', 'V'), -1
// for any other; NoticeType keeps the type's whole text, so a row whose type no entry names can
// be written back unchanged.
struct AlarmActionFields {
    AlarmActions Actions;
    int NoticeIndex = -1;
};
AlarmActionFields ReadAlarmActionString(const AnsiString& actions);
