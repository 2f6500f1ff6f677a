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

void HttpResponseFields::Apply(const AnsiString& line, AnsiString& name, AnsiString& value)
{
    name.clear();
    value.clear();
    RcvdHeader.Add(line);
    if (IsStatusLine(line)) {
        // A code that is not a number leaves the status as it was.
        if (ParseStatusLine(line, StatusCode, ReasonPhrase))
            StatusSeen = true;
        return;
    }
    if (!SplitHeaderField(line, name, value))
        return;
    if (name == "content-length")
        ParseContentLength(value, ContentLength); // a bad number is ignored
    else if (name == "accept-ranges")
        AcceptRanges = value;
    else if (name == "content-type")
        ContentType = LowerCase(value);
    else if (name == "www-authenticate")
        AuthenticateList.Add(value);
}
