// The request road: look-up, connection, the request header and the POST body.
#include "net/AsyncSocket.h"
#include "net/HttpClient.h"
#include "net/HttpRequestHeader.h"

void THttpClient::StartLogin()
{
    Guarded([this] { Login(); });
}

void THttpClient::Login()
{
    FResolvedAddr.clear();
    StateChange(httpDnsLookup);
    FControlSocket->SetLocalAddr(LocalAddr);
    // A dotted address completes at once, a name later by message: both reach DoBeforeConnect.
    FControlSocket->DnsLookup(FTarget.ConnectHost);
}

void THttpClient::DoBeforeConnect(std::uint16_t error)
{
    if (FFinished || FState != httpDnsLookup)
        return; // a look-up cancelled by the end of the request
    if (error != 0) {
        FailAndEnd(kNetworkFailureStatus, "can't resolve hostname to IP address", error);
        return;
    }
    Guarded([this] { Connect(); });
}

void THttpClient::Connect()
{
    FResolvedAddr = FControlSocket->DnsResult();
    StateChange(httpDnsLookupDone);
    FControlSocket->SetAddr(FResolvedAddr);
    FControlSocket->SetLocalAddr(LocalAddr);
    FControlSocket->SetPort(FTarget.ConnectPort);
    FControlSocket->SetProto("tcp");
    FControlSocket->Connect();
}

void THttpClient::SocketSessionConnected(std::uint16_t error)
{
    if (FFinished)
        return;
    if (error != 0) {
        FailWithSocketError(error);
        EndRequest();
        return;
    }
    Guarded([this] {
        FConnected = true;
        MarkActivity();
        StateChange(httpConnected);
        TriggerSessionConnected();
        // Nothing of an earlier response may precede this one's status line; a redirect's
        // fields stay readable until here.
        FResponse.Clear();
        FReader.Start();
        StateChange(httpWaitingHeader);
        switch (FRequestKind) {
        case httpPOST:
            SendRequest("POST", "1.0");
            TriggerSendBegin();
            FSendingBody = true;
            SocketDataSent(0);
            break;
        case httpHEAD:
            SendRequest("HEAD", "1.0");
            break;
        default:
            SendRequest("GET", "1.0");
            break;
        }
    });
}

void THttpClient::SendCommand(const AnsiString& line)
{
    AnsiString text = line;
    if (OnCommand)
        OnCommand(this, text);
    if (!text.empty())
        FRequestStream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    FRequestStream.WriteBuffer("\r\n", 2);
}

void THttpClient::SendRequest(const AnsiString& method, const AnsiString& version)
{
    FRequestStream.Clear();
    TriggerRequestHeaderBegin();

    HttpRequestHeaderFields f;
    f.Method = method;
    f.RequestPath = FTarget.RequestPath;
    f.Version = version;
    f.Sender = Sender;
    f.Accept = Accept;
    f.Reference = Reference;
    f.ContentTypePost = ContentTypePost;
    f.Agent = Agent;
    f.TargetHost = FTarget.TargetHost;
    f.NoCache = NoCache;
    if (method == "POST" && SendStream)
        f.ContentLength = std::max<std::int64_t>(0, SendStream->Size() - SendStream->Position());
    f.ModifiedSince = ModifiedSince;
    f.Username = Username;
    f.Password = Password;
    f.UsingProxy = !Proxy.empty();
    f.ProxyUsername = ProxyUsername;
    f.ProxyPassword = ProxyPassword;
    f.Cookie = Cookie;
    f.ContentRangeBegin = ContentRangeBegin;
    f.ContentRangeEnd = ContentRangeEnd;
    ContentRangeBegin.clear();
    ContentRangeEnd.clear();
    for (const AnsiString& line : RequestHeaderLines(f))
        SendCommand(line);

    FResponse.AcceptRanges.clear();
    TriggerRequestHeaderEnd();
    SendCommand("");
    FControlSocket->Send(FRequestStream.Memory(), static_cast<int>(FRequestStream.Size()));
    FRequestStream.Clear();
}

void THttpClient::SocketDataSent(std::uint16_t)
{
    if (FFinished || !FSendingBody || !SendStream)
        return;
    MarkActivity();
    Guarded([this] {
        auto count = static_cast<int>(SendStream->Read(FSendBuffer, kSendChunk));
        if (count <= 0) {
            FSendingBody = false;
            TriggerSendEnd();
            return;
        }
        FSentCount += count;
        TriggerSendData(FSendBuffer, count);
        FControlSocket->Send(FSendBuffer, count);
    });
}
