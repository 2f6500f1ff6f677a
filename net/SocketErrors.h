// The socket layer's exception and the English texts of the socket error codes.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Exceptions.h"

QEX_EXCEPTION(ESocketException, Exception);

AnsiString AsyncSocketErrorDesc(int errorCode);
