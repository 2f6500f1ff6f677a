// Host, port and protocol resolution for the socket component. Each raises ESocketException.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

// IPv4 address in network order; a dotted address is converted, a name looked up (blocking).
std::uint32_t AsyncSocketResolveHost(const AnsiString& name);
// Port in host order: digits as they are (0-65535), a service name through the services database.
std::uint16_t AsyncSocketResolvePort(const AnsiString& port, const AnsiString& proto);
int AsyncSocketResolveProto(const AnsiString& proto);
// Four decimal numbers of at most 255 separated by three dots, blanks allowed around.
bool AsyncSocketIsDottedIP(const AnsiString& text);

// Leading blanks skipped, then decimal digits up to the first other byte; no sign. Saturates
// instead of overflowing. Takes AnsiString only: a bare literal picks the C library's atoi.
int atoi(const AnsiString& text);
bool IsDigit(char c);
