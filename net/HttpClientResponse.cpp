// The response road: reading from the socket, what the header decides, the body, redirects and
// the server's close.
#include "net/AsyncSocket.h"
#include "net/HttpClient.h"
#include "net/HttpDocName.h"
#include "net/HttpHeaderFields.h"
#include "platform/winsock/Winsock.h"
#include <algorithm>

namespace {

const char* const kClosedEarly = "Connection closed before end of document";

AnsiString TooLargeReason(std::int64_t bound)
{
    return "Document larger than " + std::to_string(bound) + " bytes";
}

} // namespace

void THttpClient::SocketDataAvailable(std::uint16_t error)
{
    if (FFinished || !FReader.Reading() || (FState != httpWaitingHeader && FState != httpWaitingBody)) {
        DropStrayData(error);
        return;
    }
    int room = 0;
    char* space = FReader.FreeSpace(room);
    int count = FControlSocket->Receive(space, room);
    if (count < 0) {
        int lastError = FControlSocket->LastError();
        if (lastError != winsock::WSAEWOULDBLOCK)
            FReceiveError = static_cast<std::uint16_t>(lastError);
        return;
    }
    if (count == 0)
        return;
    MarkActivity(count);
    Guarded([&] { FReader.Received(count); });
}

void THttpClient::DropStrayData(std::uint16_t error)
{
    char scratch[1024];
    FControlSocket->Receive(scratch, sizeof scratch);
    if (OnStrayLine)
        OnStrayLine(this, error);
}

void THttpClient::ResponseHeaderBegin()
{
    TriggerHeaderBegin();
}

void THttpClient::ResponseHeaderLine(const AnsiString&, const AnsiString& name, const AnsiString& value)
{
    if (name == "location") {
        FLocationSeen = true;
        FRedirectUrl = ResolveLocation(FCurrentUrl, value);
        FLocation = FRedirectUrl;
    } else if (name == "content-range") {
        ParseContentRange(value, ContentRangeBegin, ContentRangeEnd);
    } else if (name == "set-cookie") {
        bool accept = true;
        TriggerCookie(value, accept);
    }
    if (OnHeaderData)
        OnHeaderData(this);
    if (FResponse.StatusCode >= 400 && !FFinished) {
        // A refused request: nothing of its body is wanted, and the connection ends here.
        EndRequest();
    }
}

bool THttpClient::ResponseHeaderComplete(bool headerless)
{
    if (headerless) {
        StateChange(httpWaitingBody);
        TriggerHeaderEnd();
        return true;
    }
    // The redirect comes first: an empty 302 says Content-Length: 0 and must still be followed.
    if (FLocationSeen) {
        TriggerHeaderEnd();
        FReader.Stop();
        AbortSocketSilently();
        FollowLocation();
        return false;
    }
    if (DeclaredBodyLength() == 0) {
        // Nothing follows, so the request ends now rather than at the server's close.
        JudgeReply(true);
        EndRequest();
        return false;
    }
    if (MaxBodySize >= 0 && DeclaredBodyLength() > MaxBodySize) {
        FailAndEnd(kNetworkFailureStatus, TooLargeReason(MaxBodySize));
        return false;
    }
    if (DocumentExtension(FDocName) == ".exe" && FResponse.ContentType == "text/html")
        ReplaceExt(FDocName, "htm");
    StateChange(httpWaitingBody);
    TriggerHeaderEnd();
    return true;
}

void THttpClient::ResponseBody(const char* data, int length)
{
    // Bytes past the declared length belong to no document.
    const std::int64_t declared = DeclaredBodyLength();
    if (declared >= 0)
        length = static_cast<int>(std::min<std::int64_t>(length, declared - FRcvdCount));
    if (length <= 0)
        return;
    // A body that never ends is ended here, before it fills the destination.
    if (MaxBodySize >= 0 && FRcvdCount + length > MaxBodySize) {
        FailAndEnd(kNetworkFailureStatus, TooLargeReason(MaxBodySize));
        return;
    }
    if (FBodyChunks++ == 0)
        TriggerDocBegin();
    FRcvdCount += length;
    try {
        FBodyWriter.Write(data, static_cast<std::size_t>(length));
    } catch (const std::exception& e) {
        FailAndEnd(kNetworkFailureStatus, e.what());
        return;
    }
    TriggerDocData(data, length);
    // A whole reply is a success whether the server then closes, resets or keeps the
    // connection open.
    if (declared >= 0 && FRcvdCount >= declared && !FFinished) {
        JudgeReply(true);
        EndRequest();
    }
}

void THttpClient::ResponseFailed(std::uint16_t code, const AnsiString& reason)
{
    FailAndEnd(code, reason);
}

void THttpClient::SocketSessionClosed(std::uint16_t error)
{
    if (FFinished)
        return;
    FConnected = false;
    if (error == 0)
        error = FReceiveError;
    // Pending data was read before this close was reported; a response still reading is whole
    // only if nothing was cut.
    const bool headerComplete = FReader.InBody();
    if (FInHeader) {
        TriggerHeaderEnd();
        if (FLocationSeen && error == 0) {
            FollowLocation();
            return;
        }
    }
    if (error != 0 && FResponse.StatusCode < 400)
        FailWithSocketError(error);
    JudgeReply(headerComplete);
    EndBody();
    // The socket closes itself once this handler returns.
    FinishRequest(false);
}

bool THttpClient::BodyExpected() const
{
    int status = FResponse.StatusCode;
    return FRequestKind != httpHEAD && !(status >= 100 && status < 200) && status != 204 && status != 304;
}

std::int64_t THttpClient::DeclaredBodyLength() const
{
    if (FResponse.Headerless)
        return -1;
    return BodyExpected() ? FResponse.ContentLength : 0;
}

void THttpClient::JudgeReply(bool headerComplete)
{
    if (FFailed || FResponse.StatusCode >= 400)
        return;
    bool whole = (FResponse.StatusSeen || FResponse.Headerless) && headerComplete;
    if (whole && BodyExpected() && FResponse.ContentLength >= 0 && FRcvdCount < FResponse.ContentLength)
        whole = false;
    if (!whole)
        Fail(kNetworkFailureStatus, kClosedEarly);
}

void THttpClient::FollowLocation()
{
    FConnected = false;
    FLocationSeen = false;
    if (++FRedirects > kMaxRedirects) {
        FailAndEnd(kNetworkFailureStatus, "too many redirects");
        return;
    }
    // The body of a POST is not sent again: the new target is fetched.
    if (FRequestKind == httpPOST)
        FRequestKind = httpGET;
    FSendingBody = false;
    RedirectTarget(FTarget, FRedirectUrl, !Proxy.empty());
    FCurrentUrl = FRedirectUrl;
    FLocation = FRedirectUrl;
    FReceiveError = 0;
    LocationSessionClosed();
}

void THttpClient::LocationSessionClosed()
{
    if (OnLocationChange)
        OnLocationChange(this);
    FResponse.RcvdHeader.Clear();
    PostMessage(FHttpWindow, WM_HTTP_LOGIN, FSerial, 0);
}
