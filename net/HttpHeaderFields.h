// Reading single lines of a response header: the status line and "name: value" fields.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

// Whether the line begins exactly with "HTTP/1.0" or "HTTP/1.1".
bool IsStatusLine(const AnsiString& line);
// The code in characters 10 to 12 and the reason from character 14 of a status line. False,
// with both left alone, when the code is not a three-digit decimal number.
bool ParseStatusLine(const AnsiString& line, int& code, AnsiString& reason);

// Splits "Name: value" at its first ':'; the name comes back lower-cased (A-Z only) and the value
// without its leading blanks (a value of blanks keeps its last one). False without a ':'.
bool SplitHeaderField(const AnsiString& line, AnsiString& name, AnsiString& value);

// A non-negative decimal length of at most 18 digits, blanks around it allowed. False for anything
// else, a sign included.
bool ParseContentLength(const AnsiString& value, std::int64_t& length);

// "bytes 100-199/1000" gives "100" and "199".
void ParseContentRange(const AnsiString& value, AnsiString& begin, AnsiString& end);
