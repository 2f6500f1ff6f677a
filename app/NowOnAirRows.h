// The rows of what is on now: per channel the programme on air (bold), the next one and the one
// after it, with an empty row after a channel that has something on air. The main window's view
// and the TV-today window fill their lists the same way.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <functional>

// Adds the rows of one channel to items and its descriptions (same index). dateText is the
// current TV day "d.m.yyyy".
void AddNowOnAirRows(const AnsiString& channel, const AnsiString& dateText, TStrings& items, TStrings& descriptions);

// Adds the rows of every channel in list order, letting the message queue run after each one,
// then the keyword colourings when they are on. Stops and answers false as soon as `wanted`
// says the lists belong to something else now.
bool FillNowOnAirLists(const TStrings& channels, const AnsiString& dateText, TStrings& items, TStrings& descriptions,
                       const std::function<bool()>& wanted);
