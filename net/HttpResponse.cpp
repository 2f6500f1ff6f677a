#include "net/HttpResponse.h"
#include "net/HttpHeaderFields.h"
#include "platform/core/SysUtils.h"

void HttpResponseFields::Clear()
{
    StatusCode = 0;
    ReasonPhrase.clear();
    StatusSeen = false;
    Headerless = false;
    ContentLength = -1;
    ContentType.clear();
    RcvdHeader.Clear();
    AuthenticateList.Clear();
}

bool HttpResponseFields::Apply(const AnsiString& line, AnsiString& name, AnsiString& value)
{
    name.clear();
    value.clear();
    RcvdHeader.Add(line);
    if (IsStatusLine(line)) {
        // A code that is not a number leaves the status as it was.
        if (ParseStatusLine(line, StatusCode, ReasonPhrase))
            StatusSeen = true;
        return true;
    }
    if (!SplitHeaderField(line, name, value))
        return true;
    if (name == "content-length")
        return ApplyContentLength(value);
    if (name == "accept-ranges")
        AcceptRanges = value;
    else if (name == "content-type")
        ContentType = LowerCase(value);
    else if (name == "www-authenticate")
        AuthenticateList.Add(value);
    return true;
}

// A length repeated with the same value still tells where the body ends; any other repetition
// does not.
bool HttpResponseFields::ApplyContentLength(const AnsiString& value)
{
    std::int64_t length = -1;
    if (!ParseContentLength(value, length) || (ContentLength >= 0 && ContentLength != length))
        return false;
    ContentLength = length;
    return true;
}
