// The class library's exception family; Message is Windows-1252 text.
#pragma once
#include "platform/core/AnsiString.h"
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    AnsiString Message;
};

#define QEX_EXCEPTION(Name, Base)                       \
    class Name : public Base {                          \
    public:                                             \
        using Base::Base;                               \
    }

QEX_EXCEPTION(EAbort, Exception);
QEX_EXCEPTION(EConvertError, Exception);
QEX_EXCEPTION(ERangeError, Exception);
QEX_EXCEPTION(EInvalidOp, Exception);
QEX_EXCEPTION(EListError, Exception);
QEX_EXCEPTION(EStringListError, Exception);
QEX_EXCEPTION(EOutOfResources, Exception);
QEX_EXCEPTION(EInOutError, Exception);
QEX_EXCEPTION(EInvalidOperation, Exception);
QEX_EXCEPTION(EStreamError, Exception);
QEX_EXCEPTION(EFCreateError, EStreamError);
QEX_EXCEPTION(EFOpenError, EStreamError);
QEX_EXCEPTION(EReadError, EStreamError);
QEX_EXCEPTION(EWriteError, EStreamError);
