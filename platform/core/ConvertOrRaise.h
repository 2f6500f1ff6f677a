// The raising form of a Try... conversion, with the class library's message.
#pragma once
#include "platform/core/Exceptions.h"

template <class T>
T ConvertOrRaise(const AnsiString& s, bool (*tryConvert)(const AnsiString&, T&), const char* kind)
{
    T value {};
    if (!tryConvert(s, value))
        throw EConvertError("'" + s + "' is not a valid " + kind);
    return value;
}
