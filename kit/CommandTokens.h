// Tokens of a command line: blanks and control characters separate them, double quotes group
// blanks into a token and never appear in one. Tokens have no length limit.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstddef>
#include <string_view>

// The token at or after `pos` (0 based); `pos` moves past it. The text ends at a NUL byte.
// Empty when no token is left.
AnsiString NextCommandToken(std::string_view text, std::size_t& pos);
int CountCommandTokens(std::string_view text);
// Token n (0 based), empty when there are fewer.
AnsiString GetCommandToken(std::string_view text, int n);
// Token 0 is the program; the rest are joined with single blanks, each token that holds a blank
// quoted again.
void SplitCommandLine(std::string_view commandLine, AnsiString& programName, AnsiString& parameters);
