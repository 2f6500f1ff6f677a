// THttpClient: an HTTP/1.0 client component. One request at a time, each on a fresh connection:
// name look-up, connection, request header, optional POST body, response header, and the body
// until it has its Content-Length or, without one, until the server closes. Get and Post run the
// message loop until the request is over and raise EHttpException when it failed or the status is
// 400 or above.
#pragma once
#include "net/HttpBodyWriter.h"
#include "net/HttpException.h"
#include "net/HttpResponseReader.h"
#include "net/HttpTarget.h"
#include "net/HttpTransferWatch.h"
#include "platform/core/Clock.h"
#include "platform/core/Component.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/messages/Messages.h"
#include <cstdint>
#include <functional>
#include <memory>

class TAsyncSocket;
class TTimer;

enum THttpRequest { httpNoRequest, httpGET, httpPOST, httpHEAD };
enum THttpClientState {
    httpReady, httpNotConnected, httpConnected, httpDnsLookup, httpDnsLookupDone,
    httpWaitingHeader, httpWaitingBody, httpAborting
};

using TOnCommand = std::function<void(TObject* Sender, AnsiString& S)>;
using TDocDataEvent = std::function<void(TObject* Sender, const void* Buffer, int Len)>;
using THttpRequestDone = std::function<void(TObject* Sender, THttpRequest RqType, std::uint16_t Error)>;
using TCookieRcvdEvent = std::function<void(TObject* Sender, const AnsiString& Data, bool& Accept)>;
using THttpStrayDataEvent = std::function<void(TObject* Sender, std::uint16_t Error)>;

constexpr UINT WM_HTTP_REQUEST_DONE = WM_USER + 1;
constexpr UINT WM_HTTP_SET_READY = WM_USER + 2;
constexpr UINT WM_HTTP_LOGIN = WM_USER + 3;

class THttpClient : public TComponent, private HttpResponseListener {
public:
    explicit THttpClient(TComponent* AOwner);
    ~THttpClient() override;

    void Get() { DoRequestSync(httpGET); }
    void Post() { DoRequestSync(httpPOST); }
    // Starts the request and runs the message loop until it is over.
    void DoRequestSync(THttpRequest kind);
    // Starts the request; OnRequestDone tells when it is over.
    void DoRequestAsync(THttpRequest kind);
    virtual void Login();
    virtual void Logout();

    // Published properties.
    AnsiString URL;
    AnsiString LocalAddr = "0.0.0.0";
    AnsiString Proxy;        // "host" or "host:port"; empty for a direct connection
    AnsiString ProxyPort = "80";
    AnsiString Sender;
    AnsiString Agent = "Mozilla/3.0 (compatible)";
    AnsiString Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    AnsiString Reference;
    AnsiString Username, Password;
    AnsiString ProxyUsername, ProxyPassword;
    bool NoCache = false;
    TDateTime ModifiedSince = 0;
    AnsiString Cookie;
    AnsiString ContentTypePost = "application/x-www-form-urlencoded";
    // Sent as a Range line once, then cleared; a content-range reply line fills them.
    AnsiString ContentRangeBegin, ContentRangeEnd;
    const AnsiString& AcceptRanges() const { return FResponse.AcceptRanges; }
    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool value);

    // Public properties.
    TStream* RcvdStream = nullptr;   // not owned: receives the body
    TStream* SendStream = nullptr;   // not owned: the POST body, from its current position
    // A body longer than this many bytes ends the request as failed, as soon as its length or
    // its bytes tell; -1: no bound.
    std::int64_t MaxBodySize = -1;
    std::int64_t RcvdCount() const { return FRcvdCount; }
    std::int64_t SentCount() const { return FSentCount; }
    std::int64_t ContentLength() const { return FResponse.ContentLength; } // -1 when not sent
    const AnsiString& ContentType() const { return FResponse.ContentType; }
    int StatusCode() const { return FResponse.StatusCode; }
    const AnsiString& ReasonPhrase() const { return FResponse.ReasonPhrase; }
    const AnsiString& DocName() const { return FDocName; }
    const AnsiString& Location() const { return FLocation; }
    TStrings* RcvdHeader() { return &FResponse.RcvdHeader; }
    TStrings* AuthenticateList() { return &FResponse.AuthenticateList; }
    THttpClientState State() const { return FState; }
    TAsyncSocket* ControlSocket() const { return FControlSocket; }

    // A request during which nothing is sent or received for this long ends as a failed
    // connection would. Milliseconds; 60 seconds unless a test shortens it.
    int InactivityTimeout() const { return FWatch.InactivityLimit(); }
    void SetInactivityTimeout(int milliseconds) { FWatch.SetInactivityLimit(milliseconds); }
    // So does a request that moves less than 1 KiB in any window of this length.
    int SlowTransferWindow() const { return FWatch.Window(); }
    void SetSlowTransferWindow(int milliseconds) { FWatch.SetWindow(milliseconds); }

    TNotifyEvent OnTrace;
    TNotifyEvent OnSessionConnected;
    TNotifyEvent OnHeaderData;
    TOnCommand OnCommand;
    TNotifyEvent OnHeaderBegin;
    TNotifyEvent OnHeaderEnd;
    TNotifyEvent OnRequestHeaderBegin;
    TNotifyEvent OnRequestHeaderEnd;
    TNotifyEvent OnDocBegin;
    TDocDataEvent OnDocData;
    TNotifyEvent OnDocEnd;
    TNotifyEvent OnSendBegin;
    TDocDataEvent OnSendData;
    TNotifyEvent OnSendEnd;
    TNotifyEvent OnStateChange;
    THttpRequestDone OnRequestDone;
    TNotifyEvent OnLocationChange;
    TCookieRcvdEvent OnCookie;
    // Data that arrives while no response is awaited; it is dropped.
    THttpStrayDataEvent OnStrayLine;

    // The status of a request that got no usable reply: a failed look-up, connection or
    // transfer counts as "not found".
    static constexpr std::uint16_t kNetworkFailureStatus = 404;
    static constexpr int kMaxRedirects = 10;
    static constexpr int kSendChunk = 8193;

protected:
    virtual void SendCommand(const AnsiString& line);
    virtual void CleanupRcvdStuff();
    virtual void LocationSessionClosed();
    virtual void TriggerCookie(const AnsiString& data, bool& accept);
    virtual void TriggerSessionConnected();
    virtual void TriggerRequestHeaderBegin();
    virtual void TriggerRequestHeaderEnd();
    virtual void TriggerHeaderBegin();
    virtual void TriggerHeaderEnd();
    virtual void TriggerDocBegin();
    virtual void TriggerDocData(const void* data, int length);
    virtual void TriggerDocEnd();
    virtual void TriggerSendBegin();
    virtual void TriggerSendData(const void* data, int length);
    virtual void TriggerSendEnd();
    virtual void AllocateHWnd();
    virtual void DeallocateHWnd();
    virtual void WndProc(TMessage& msg);

private:
    // The request road (HttpClientRequest.cpp).
    void StartLogin();
    void DoBeforeConnect(std::uint16_t error);
    void Connect();
    void SocketSessionConnected(std::uint16_t error);
    void SendRequest(const AnsiString& method, const AnsiString& version);
    void SocketDataSent(std::uint16_t error);

    // The response road (HttpClientResponse.cpp).
    void SocketDataAvailable(std::uint16_t error);
    void DropStrayData(std::uint16_t error);
    void SocketSessionClosed(std::uint16_t error);
    void FollowLocation();
    void ResponseHeaderBegin() override;
    void ResponseHeaderLine(const AnsiString& line, const AnsiString& name, const AnsiString& value) override;
    bool ResponseHeaderComplete(bool headerless) override;
    void ResponseBody(const char* data, int length) override;
    void ResponseFailed(std::uint16_t code, const AnsiString& reason) override;
    bool BodyExpected() const;
    // How long the body is by the header: 0 when the reply can carry none, -1 when only the
    // server's close tells.
    std::int64_t DeclaredBodyLength() const;
    void JudgeReply(bool headerComplete);

    // The end of a request (HttpClient.cpp).
    void StateChange(THttpClientState newState);
    void SetReady();
    void Fail(std::uint16_t code, const AnsiString& reason, std::uint16_t socketError = 0);
    void FailWithSocketError(std::uint16_t socketError);
    void FailAndEnd(std::uint16_t code, const AnsiString& reason, std::uint16_t socketError = 0);
    // Runs a step of the request; an exception it raises ends the request as failed.
    void Guarded(const std::function<void()>& step);
    void EndRequest();
    // The body is over: everything received reaches the stream, then OnDocEnd.
    void EndBody();
    void FinishRequest(bool closeSocket);
    void AbortSocketSilently();
    void MarkActivity(std::int64_t bytes = 0);
    void CheckProgress();
    void WaitForRequestEnd();

    TAsyncSocket* FControlSocket = nullptr;
    HWND FHttpWindow = 0;
    std::unique_ptr<TTimer> FProgressTimer;
    THttpClientState FState = httpReady;
    THttpRequest FRequestKind = httpNoRequest;
    HttpTarget FTarget;
    AnsiString FCurrentUrl;   // the URL the awaited response answers
    AnsiString FRedirectUrl;  // where its Location points
    AnsiString FLocation;
    AnsiString FDocName;
    AnsiString FResolvedAddr;
    bool FConnected = false;
    bool FMultiThreaded = false;
    char FSendBuffer[kSendChunk] {};
    bool FSendingBody = false;
    std::int64_t FRcvdCount = 0;
    std::int64_t FSentCount = 0;
    int FBodyChunks = 0;
    bool FInHeader = false;
    bool FLocationSeen = false;
    int FRedirects = 0;
    HttpResponseFields FResponse;
    HttpResponseReader FReader{FResponse, *this};
    TMemoryStream FRequestStream;
    std::uint16_t FDoneError = 0;
    std::uint16_t FReceiveError = 0;  // a receive that failed, for the close that follows
    bool FFailed = false;             // the request failed whatever the status says
    bool FFinished = true;            // no request runs; late socket events are ignored
    int FDonePending = 0;             // OnRequestDone messages posted but not yet handled
    unsigned FSerial = 0;             // tells this request's posted messages from older ones
    HttpTransferWatch FWatch;
    HttpBodyWriter FBodyWriter;
};
