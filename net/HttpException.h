// The HTTP client's exception: the reason text and a 16-bit code (the HTTP status, or the
// client's own numbers: 1 busy, 2 nothing to post, 4 an unreadable response header).
#pragma once
#include "platform/core/Exceptions.h"
#include <cstdint>

class EHttpException : public Exception {
public:
    EHttpException(const AnsiString& message, std::uint16_t errorCode) : Exception(message), ErrorCode(errorCode) {}
    std::uint16_t ErrorCode;
};
