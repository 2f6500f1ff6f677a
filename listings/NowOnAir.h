// The programme on air now on one channel, and the two that follow it, for the what-is-on-now
// view and the TV-today window.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"

// Between the programme line and its description in a now-on-air text ("¤¤").
extern const char* const NowOnAirSeparator;

// The programme line + "¤¤" + its description, or empty when there is none. dateText is the
// current TV day ("d.m.yyyy"); `next` moves one programme on, `afterNext` one more. Before 05:00
// the clock's time counts as after midnight of that day.
AnsiString GetNowOnAir(const AnsiString& channelCode, const AnsiString& dateText, bool next, bool afterNext);
// The same search over the loaded lines of a day.
AnsiString NowOnAirOfDay(const TStrings& day, bool next, bool afterNext);
