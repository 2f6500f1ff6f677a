// Base64 (RFC 2045, "=" padding) for the authorisation lines, and the older uuencoded form.
#pragma once
#include "platform/core/AnsiString.h"

// Encoding 0 is uuencode (a length character, then the input in whole groups of three bytes,
// six bits to a character from "!" to "_" with "`" for zero); 1 and 2 are Base64.
AnsiString EncodeLine(int encoding, const char* data, int length);
AnsiString EncodeStr(int encoding, const AnsiString& value);
