// The component itself: creation, the hidden window and its messages, starting a request,
// waiting for it, and the one way every request ends.
#include "net/HttpClient.h"
#include "net/AsyncSocket.h"
#include "net/HttpDocName.h"
#include "net/MessageWait.h"
#include "net/SocketErrors.h"
#include "platform/winsock/Winsock.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include <algorithm>

THttpClient::THttpClient(TComponent* AOwner) : TComponent(AOwner)
{
    AllocateHWnd();
    FControlSocket = CreateSocket<TAsyncSocket>(this);
    FControlSocket->OnSessionClosed = [this](TObject*, std::uint16_t e) { SocketSessionClosed(e); };
    FControlSocket->OnDataAvailable = [this](TObject*, std::uint16_t e) { SocketDataAvailable(e); };
    FControlSocket->OnSessionConnected = [this](TObject*, std::uint16_t e) { SocketSessionConnected(e); };
    FControlSocket->OnDataSent = [this](TObject*, std::uint16_t e) { SocketDataSent(e); };
    FControlSocket->OnDnsLookupDone = [this](TObject*, std::uint16_t e) { DoBeforeConnect(e); };
    // Every piece the network takes counts as activity, so a slow upload is never cut.
    FControlSocket->OnSendData = [this](TObject*, int count) { MarkActivity(count); };
    FProgressTimer = std::make_unique<TTimer>(nullptr);
    FProgressTimer->SetEnabled(false);
    FProgressTimer->OnTimer = [this](TObject*) { CheckProgress(); };
}

THttpClient::~THttpClient()
{
    FProgressTimer.reset();
    // The socket may still report a close while it goes; nobody is left to hear it.
    FControlSocket->OnSessionClosed = nullptr;
    FControlSocket->OnDataAvailable = nullptr;
    FControlSocket->OnSessionConnected = nullptr;
    FControlSocket->OnDataSent = nullptr;
    FControlSocket->OnDnsLookupDone = nullptr;
    FControlSocket->OnSendData = nullptr;
    delete FControlSocket;
    DeallocateHWnd();
}

void THttpClient::AllocateHWnd()
{
    FHttpWindow = ::AllocateHWnd([this](TMessage& msg) { WndProc(msg); });
}

void THttpClient::DeallocateHWnd()
{
    ::DeallocateHWnd(FHttpWindow);
    FHttpWindow = 0;
}

void THttpClient::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_HTTP_REQUEST_DONE:
        --FDonePending;
        if (OnRequestDone)
            OnRequestDone(this, static_cast<THttpRequest>(msg.WParam), static_cast<std::uint16_t>(msg.LParam));
        break;
    case WM_HTTP_SET_READY:
        if (msg.WParam == FSerial)
            StateChange(httpReady);
        break;
    case WM_HTTP_LOGIN:
        if (msg.WParam == FSerial && !FFinished)
            StartLogin();
        break;
    default:
        msg.Result = 0;
        break;
    }
}

void THttpClient::SetMultiThreaded(bool value)
{
    FMultiThreaded = value;
    FControlSocket->SetMultiThreaded(value);
}

void THttpClient::DoRequestAsync(THttpRequest kind)
{
    if (FState != httpReady)
        throw EHttpException("HTTP component is busy", 1);
    if (kind == httpPOST && !SendStream)
        throw EHttpException("HTTP component has nothing to post", 2);

    AbortSocketSilently();
    ++FSerial;
    FFinished = false;
    FFailed = false;
    FRedirects = 0;
    FReceiveError = 0;
    FInHeader = false;
    FLocationSeen = false;
    FReader.Stop();
    FRequestKind = kind;
    // From here on the request is running: whatever goes wrong ends it, so the component never
    // stays busy.
    Guarded([this] {
        StateChange(httpNotConnected);
        CleanupRcvdStuff();
        FTarget = RequestTarget(URL, Proxy, ProxyPort);
        if (!FTarget.User.empty())
            Username = FTarget.User;
        if (!FTarget.Pass.empty())
            Password = FTarget.Pass;
        FCurrentUrl = URL;
        FDocName = DocumentName(FTarget.Path);
        FWatch.Start(MonotonicMs());
        const int shortest = std::min(FWatch.InactivityLimit(), FWatch.Window());
        FProgressTimer->SetInterval(static_cast<unsigned>(std::clamp(shortest / 4, 10, 1000)));
        FProgressTimer->SetEnabled(true);
        Login();
    });
}

void THttpClient::DoRequestSync(THttpRequest kind)
{
    DoRequestAsync(kind);
    WaitForRequestEnd();
    if (FFailed || FResponse.StatusCode >= 400)
        throw EHttpException(FResponse.ReasonPhrase, static_cast<std::uint16_t>(FResponse.StatusCode));
}

void THttpClient::WaitForRequestEnd()
{
    // The loop sleeps until the next event: socket notifications, the posted messages of this
    // component, the inactivity timer, and whatever else the program has to do meanwhile.
    // OnRequestDone has fired by the time the caller goes on.
    while (FState != httpReady || FDonePending > 0) {
        if (Application && Application->Terminated()) {
            // The program is closing: nothing would run the loop that ends the request.
            if (!FFinished) {
                FailWithSocketError(winsock::WSAEINTR);
                EndRequest();
            }
            StateChange(httpReady);
            return;
        }
        if (FMultiThreaded) {
            FControlSocket->ProcessMessages();
            // The request may have ended inside that pass: sleeping now would wait for an
            // unrelated event before the caller goes on.
            if (FState == httpReady && FDonePending == 0)
                break;
        }
        WaitForMessageUntil(-1);
    }
}

void THttpClient::CleanupRcvdStuff()
{
    FResponse.Clear();
    FDoneError = 0;
    FDocName.clear();
    FRcvdCount = 0;
    FSentCount = 0;
    FBodyChunks = 0;
    FSendingBody = false;
    FLocation = URL;
    FBodyWriter.Start(RcvdStream);
}

void THttpClient::StateChange(THttpClientState newState)
{
    if (newState == FState)
        return;
    FState = newState;
    if (OnStateChange)
        OnStateChange(this);
    if (newState == httpReady && PostMessage(FHttpWindow, WM_HTTP_REQUEST_DONE, FRequestKind, FDoneError))
        ++FDonePending;
}

void THttpClient::SetReady()
{
    PostMessage(FHttpWindow, WM_HTTP_SET_READY, FSerial, 0);
}

void THttpClient::Logout()
{
    FControlSocket->Close();
    FConnected = false;
}

void THttpClient::Fail(std::uint16_t code, const AnsiString& reason, std::uint16_t socketError)
{
    if (FFailed)
        return; // the first failure is the one the caller hears of
    FFailed = true;
    FResponse.StatusCode = code;
    FResponse.ReasonPhrase = reason;
    FDoneError = socketError;
}

void THttpClient::FailWithSocketError(std::uint16_t socketError)
{
    const AnsiString reason = AsyncSocketErrorDesc(socketError) + " (Error #" + std::to_string(socketError) + ")";
    Fail(kNetworkFailureStatus, reason, socketError);
}

void THttpClient::FailAndEnd(std::uint16_t code, const AnsiString& reason, std::uint16_t socketError)
{
    Fail(code, reason, socketError);
    EndRequest();
}

void THttpClient::Guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        if (!FFinished)
            FailAndEnd(kNetworkFailureStatus, e.what());
    }
}

void THttpClient::EndRequest()
{
    if (FFinished)
        return;
    if (FInHeader)
        TriggerHeaderEnd();
    EndBody();
    FinishRequest(true);
}

void THttpClient::EndBody()
{
    try {
        FBodyWriter.Flush();
    } catch (const std::exception& e) {
        Fail(kNetworkFailureStatus, e.what());
    }
    if (FBodyChunks > 0)
        TriggerDocEnd();
}

void THttpClient::FinishRequest(bool closeSocket)
{
    FFinished = true;
    FReader.Stop();
    FSendingBody = false;
    FConnected = false;
    FProgressTimer->SetEnabled(false);
    if (closeSocket)
        AbortSocketSilently();
    SetReady();
}

void THttpClient::AbortSocketSilently()
{
    // Abort also cancels a look-up still running; its answer then reaches nobody.
    auto closed = FControlSocket->OnSessionClosed;
    auto looked = FControlSocket->OnDnsLookupDone;
    FControlSocket->OnSessionClosed = nullptr;
    FControlSocket->OnDnsLookupDone = nullptr;
    try {
        FControlSocket->Abort();
    } catch (const std::exception&) {
        // A socket that cannot even be closed is gone as far as this request is concerned.
    }
    FControlSocket->OnSessionClosed = closed;
    FControlSocket->OnDnsLookupDone = looked;
}

void THttpClient::MarkActivity(std::int64_t bytes)
{
    FWatch.Moved(bytes, MonotonicMs());
}

void THttpClient::CheckProgress()
{
    if (FFinished || FState == httpReady) {
        FProgressTimer->SetEnabled(false);
        return;
    }
    if (!FWatch.Stalled(MonotonicMs()))
        return;
    FailWithSocketError(winsock::WSAETIMEDOUT);
    EndRequest();
}
