#include "http/HttpClientFixture.h"
#include <QTimer>
#include <algorithm>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const kVersionFile = "476 http://www.example.com/qex/\r\n100 http://www.example.com/ilmoitus.html\r\n";
const char* const kAccept = "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n";

// A loopback port that nothing listens on.
int ClosedPort()
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(s);
    return ntohs(a.sin_port);
}

} // namespace

TEST_F(HttpClientTest, DirectGetSendsExactlyTheFixedHeader)
{
    server.Script({ScriptedReply::Status(200, "OK", kVersionFile)});
    RecordEvents();
    http->URL = server.Url("/qex/data/versio.txt");
    http->Get();

    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], std::string("GET /qex/data/versio.txt HTTP/1.0\r\n") + kAccept +
                                        "Referer: -\r\n"
                                        "User-Agent: QEX 2000 (Kelvaro - WINXP)\r\n"
                                        "Host: 127.0.0.1\r\n"
                                        "Pragma: no-cache\r\n"
                                        "If-Modified-Since: Tue, 30 Dec 1980 00:00:00 GMT\r\n"
                                        "\r\n");
    EXPECT_EQ(Body(), kVersionFile);
    EXPECT_EQ(http->StatusCode(), 200);
    EXPECT_EQ(http->ReasonPhrase(), "OK");
    EXPECT_EQ(http->ContentLength(), static_cast<std::int64_t>(std::string(kVersionFile).size()));
    EXPECT_EQ(http->RcvdCount(), http->ContentLength());
    EXPECT_EQ(http->ContentType(), "text/plain");
    EXPECT_EQ(http->DocName(), "versio.txt");
    EXPECT_EQ(http->State(), httpReady);
    ASSERT_EQ(http->RcvdHeader()->Count(), 3);
    EXPECT_EQ((*http->RcvdHeader())[0], "HTTP/1.0 200 OK");

    // A dotted address needs no look-up message, so the states follow each other at once.
    std::vector<std::string> expected = {
        "State1", "State3", "State4", "State2", "SessionConnected", "State5", "RequestHeaderBegin",
        "RequestHeaderEnd", "HeaderBegin", "HeaderData", "HeaderData", "HeaderData", "State6", "HeaderEnd",
        "DocBegin", "DocData", "DocEnd", "State0", "RequestDone0"};
    EXPECT_EQ(events, expected);
}

TEST_F(HttpClientTest, DirectPostSendsTheHeaderAndTheBodyExactly)
{
    server.Script({ScriptedReply::Status(200, "OK", "package")});
    RecordEvents();
    TStringStream body("files=01-07,01-08,10-07");
    http->SendStream = &body;
    http->URL = server.Url("/qex/data/qex.cgi");
    http->Post();

    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], std::string("POST /qex/data/qex.cgi HTTP/1.0\r\n") + kAccept +
                                        "Referer: -\r\n"
                                        "Content-Type: application/x-www-form-urlencoded\r\n"
                                        "User-Agent: QEX 2000 (Kelvaro - WINXP)\r\n"
                                        "Host: 127.0.0.1\r\n"
                                        "Pragma: no-cache\r\n"
                                        "Content-Length: 23\r\n"
                                        "If-Modified-Since: Tue, 30 Dec 1980 00:00:00 GMT\r\n"
                                        "\r\n"
                                        "files=01-07,01-08,10-07");
    EXPECT_EQ(http->SentCount(), 23);
    EXPECT_EQ(Body(), "package");
    auto at = [&](const char* name) { return std::find(events.begin(), events.end(), name) - events.begin(); };
    EXPECT_LT(at("RequestHeaderEnd"), at("SendBegin"));
    EXPECT_LT(at("SendBegin"), at("SendData"));
    EXPECT_LT(at("SendData"), at("SendEnd"));
}

TEST_F(HttpClientTest, PostBodyIsSentInChunksFromTheStreamsPosition)
{
    server.Script({ScriptedReply::Status(200, "OK", "")});
    std::string data(20000 + 5, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    TStringStream body(data);
    body.SetPosition(5); // the caller chose where the body begins
    std::vector<int> chunks;
    std::int64_t sentAtEnd = -1;
    http->OnSendData = [&](TObject*, const void*, int length) { chunks.push_back(length); };
    http->OnSendEnd = [&](TObject*) { sentAtEnd = http->SentCount(); };
    http->SendStream = &body;
    http->URL = server.Url("/qex/data/qex.cgi");
    http->Post();

    EXPECT_EQ(chunks, (std::vector<int>{8193, 8193, 3614}));
    EXPECT_EQ(sentAtEnd, 20000);
    std::string request = server.Requests().at(0);
    EXPECT_NE(request.find("Content-Length: 20000\r\n"), std::string::npos);
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), data.substr(5));
}

TEST_F(HttpClientTest, ThroughAProxyTheRequestLineCarriesTheAbsoluteUri)
{
    server.Script({ScriptedReply::Status(200, "OK", kVersionFile)});
    // The target's name cannot be resolved: only the proxy is looked up and connected to.
    http->URL = "http://bad..name/qex/data/versio.txt";
    http->Proxy = "127.0.0.1";
    http->ProxyPort = std::to_string(server.Port());
    http->Get();
    ASSERT_EQ(server.Requests().size(), 1u);
    std::string request = server.Requests()[0];
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET http://bad..name/qex/data/versio.txt HTTP/1.0");
    EXPECT_NE(request.find("\r\nHost: bad..name\r\n"), std::string::npos);
    EXPECT_EQ(Body(), kVersionFile);

    // The proxy's own port, when it names one, wins over ProxyPort; a port of the target stays in
    // the URI and never reaches the Host line.
    http->URL = "http://data.example:8080/qex/data/qex.cgi";
    http->Proxy = "127.0.0.1:" + std::to_string(server.Port());
    http->ProxyPort = "1";
    TStringStream body("files=01-07");
    http->SendStream = &body;
    http->Post();
    request = server.Requests().at(1);
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "POST http://data.example:8080/qex/data/qex.cgi HTTP/1.0");
    EXPECT_NE(request.find("\r\nHost: data.example\r\n"), std::string::npos);
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), "files=01-07");
}

TEST_F(HttpClientTest, FailuresBeforeAnyReplyRaiseAsNotFoundAndLeaveTheClientReady)
{
    server.Script({ScriptedReply::Status(200, "OK", "fine")});
    std::vector<std::uint16_t> doneErrors;
    http->OnRequestDone = [&](TObject*, THttpRequest, std::uint16_t error) { doneErrors.push_back(error); };

    http->URL = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/x";
    Outcome refused = Run();
    EXPECT_EQ(refused.message, "Connection refused (Error #10061)");
    EXPECT_EQ(refused.code, 404);
    EXPECT_EQ(http->State(), httpReady);

    http->URL = "http://bad..name/x";
    Outcome unresolved = Run();
    EXPECT_EQ(unresolved.message, "can't resolve hostname to IP address");
    EXPECT_EQ(unresolved.code, 404);

    // A proxy port that is no number cannot even be connected to.
    http->URL = "http://host/x";
    http->Proxy = "127.0.0.1";
    http->ProxyPort = "no-such-port";
    Outcome badPort = Run();
    EXPECT_EQ(badPort.code, 404);
    EXPECT_NE(badPort.message.find("no-such-port"), std::string::npos);
    EXPECT_EQ(http->State(), httpReady);

    http->Proxy.clear();
    http->URL = server.Url("/after");
    EXPECT_EQ(Run().message, "");
    EXPECT_EQ(Body(), "fine");
    // OnRequestDone reports the socket's error, and 0 where no socket failed.
    ASSERT_EQ(doneErrors.size(), 4u);
    EXPECT_EQ(doneErrors[0], 10061);
    EXPECT_NE(doneErrors[1], 0);
    EXPECT_EQ(doneErrors[2], 0);
    EXPECT_EQ(doneErrors[3], 0);
}

TEST_F(HttpClientTest, ARequestWhileOneRunsOrAPostWithoutBodyIsRefused)
{
    try {
        http->Post();
        ADD_FAILURE() << "a POST without a stream went out";
    } catch (const EHttpException& e) {
        EXPECT_EQ(e.Message, "HTTP component has nothing to post");
        EXPECT_EQ(e.ErrorCode, 2);
    }
    EXPECT_EQ(http->State(), httpReady);

    server.Script({ScriptedReply::Status(200, "OK", "x")});
    http->URL = server.Url("/a");
    http->DoRequestAsync(httpGET);
    try {
        http->Get();
        ADD_FAILURE() << "a second request started";
    } catch (const EHttpException& e) {
        EXPECT_EQ(e.Message, "HTTP component is busy");
        EXPECT_EQ(e.ErrorCode, 1);
    }
    bool done = false;
    http->OnRequestDone = [&](TObject*, THttpRequest kind, std::uint16_t) { done = kind == httpGET; };
    EXPECT_TRUE(WaitFor([&] { return done; }));
    EXPECT_EQ(Body(), "x");
}

TEST_F(HttpClientTest, OptionalRequestLinesAndTheirOneTimeRange)
{
    server.Script({ScriptedReply::Status(200, "OK", "")});
    http->URL = server.Url("/r");
    http->Username = "u";
    http->ContentRangeBegin = "100";
    http->Cookie = "a=b";
    http->Get();
    http->Get();
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].find("\r\nAuthorization: Basic dTo=\r\nCookie: a=b\r\nRange: bytes=100-\r\n\r\n"),
              std::string::npos);
    EXPECT_EQ(requests[1].find("Range:"), std::string::npos);
    EXPECT_TRUE(http->ContentRangeBegin.empty());
}

// With MultiThreaded on, the end of a request is handled inside the socket's own message pass;
// Get must return then, not wait for some unrelated event to wake its loop.
TEST_F(HttpClientTest, GetReturnsWhenTheRequestEndsWithoutWaitingForAnotherEvent)
{
    http->SetMultiThreaded(true);
    server.Script({ScriptedReply::Status(200, "OK", kVersionFile)});
    bool woken = false;
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    QObject::connect(&wakeUp, &QTimer::timeout, [&woken] { woken = true; });
    wakeUp.start(4000);
    http->URL = server.Url("/qex/data/versio.txt");
    http->Get();
    EXPECT_EQ(Body(), kVersionFile);
    EXPECT_FALSE(woken) << "Get waited for an unrelated event after its request had ended";
}
