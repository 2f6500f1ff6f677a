// What a response has told so far: the status, the header fields the client keeps, the lines.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <cstdint>

struct HttpResponseFields {
    int StatusCode = 0;
    AnsiString ReasonPhrase;
    bool StatusSeen = false;  // a status line with a usable code arrived
    bool Headerless = false;  // the reply began with "<HTML>" instead of a header
    std::int64_t ContentLength = -1;
    AnsiString ContentType;   // lower-cased
    AnsiString AcceptRanges;
    TStringList RcvdHeader;   // every non-empty header line, in order
    TStringList AuthenticateList;

    // A new response: everything but AcceptRanges, which is emptied when a request is sent.
    void Clear();
    // Applies one non-empty header line; the field's name (lower-cased) and value come back,
    // both empty for a status line or a line without ':'. False for a line that leaves the end of
    // the body unknowable: a length that is not one decimal number, or one that differs from an
    // earlier length.
    bool Apply(const AnsiString& line, AnsiString& name, AnsiString& value);

private:
    bool ApplyContentLength(const AnsiString& value);
};
