// The address of the film database's search page for a text.
#pragma once
#include "platform/core/AnsiString.h"

// The search page every look-up goes to; the query follows "/Find?".
extern const char* const ImdbSearchBase;

// ImdbSearchBase + "/Find?" + the text with A-Z lower-cased and blanks as '+'. Letters beyond
// ASCII go as UTF-8, percent-encoded, and so do control characters, so the address is always
// one plain ASCII string the browser reads as the user meant.
AnsiString ImdbSearchAddress(const AnsiString& text);
