// The date form of the If-Modified-Since line.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Clock.h"

// "Tue, 30 Dec 1980 00:00:00" for 29585. The value is written as it is, without conversion to
// universal time; the caller adds " GMT".
AnsiString RFC1123_Date(TDateTime value);
