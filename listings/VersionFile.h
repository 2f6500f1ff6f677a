// The data server's version file: line 1 the latest program version and the address of the
// program's page, line 2 the latest announcement and its address. In each line characters 1-3
// are the number, character 4 separates and the address runs from character 5 to the end.
#pragma once
#include "platform/core/AnsiString.h"

// This program's own version, which line 1 is compared with.
constexpr int ProgramVersionNumber = 476;

// The number in characters 1-3; raises EConvertError when they are not one.
int VersionLineNumber(const AnsiString& line);
// Characters 5 to the end; empty for a shorter line.
AnsiString VersionLineAddress(const AnsiString& line);

// The version file comes from the network: only an http or https address with a host, and
// without blanks or control characters, is ever handed to the browser.
bool IsWebAddress(const AnsiString& address);
