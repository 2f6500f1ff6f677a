// The message of the socket error a call raises, or "(no exception)", so that a test compares
// the system's own text in one expectation.
#pragma once
#include "net/SocketErrors.h"
#include <string>

template <typename F>
std::string MessageOf(F call)
{
    try {
        call();
    } catch (const ESocketException& e) {
        return e.Message;
    }
    return "(no exception)";
}
