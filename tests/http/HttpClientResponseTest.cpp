#include "http/HttpClientFixture.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include <algorithm>

namespace {

std::string BinaryBody(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
    // NUL bytes, line ends and a blank line must all come through untouched.
    body.replace(1000, 8, std::string("\r\n\r\n\0\0\n\r", 8));
    return body;
}

// A stream that takes nothing, as a full disk would.
class FullDisk : public TMemoryStream {
public:
    std::int64_t Write(const void*, std::int64_t) override { return 0; }
};

} // namespace

TEST_F(HttpClientTest, StatusOfFourHundredOrMoreRaisesWithoutTouchingTheStream)
{
    int headerEnds = 0;
    http->OnHeaderEnd = [&](TObject*) { ++headerEnds; };
    http->URL = server.Url("/missing");
    for (auto [code, reason] : {std::pair{404, "Not Found"}, std::pair{500, "Internal Server Error"}}) {
        server.Script({ScriptedReply::Status(code, reason, "error page that must not be kept\r\n")});
        headerEnds = 0;
        Outcome outcome = Run();
        EXPECT_EQ(outcome.code, code);
        EXPECT_EQ(outcome.message, reason);
        EXPECT_EQ(Body(), "");
        EXPECT_EQ(http->RcvdCount(), 0);
        EXPECT_EQ(headerEnds, 1);
        EXPECT_EQ(http->State(), httpReady);
    }
    server.Script({ScriptedReply::Status(200, "OK", "next")});
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(Body(), "next");
}

TEST_F(HttpClientTest, BinaryBodyWithoutLengthArrivesWhole)
{
    const std::string body = BinaryBody(300 * 1024);
    ScriptedReply reply;
    reply.bytes = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n" + body;
    reply.pieces = 7;
    server.Script({reply});
    std::int64_t lengthSeen = 0;
    http->OnDocData = [&](TObject*, const void*, int) { lengthSeen = http->ContentLength(); };
    http->URL = server.Url("/qex/data/qex.cgi");
    EXPECT_EQ(Run().code, 0);
    EXPECT_TRUE(Body() == body) << "the body differs";
    EXPECT_EQ(http->ContentLength(), -1);
    EXPECT_EQ(lengthSeen, -1);
    EXPECT_EQ(http->RcvdCount(), static_cast<std::int64_t>(body.size()));
}

TEST_F(HttpClientTest, PacedBodyIsReportedPieceByPieceWhileTheProgramRuns)
{
    const std::string body = BinaryBody(1024 * 1024);
    ScriptedReply reply = ScriptedReply::Status(200, "OK", body);
    reply.pieces = 40;
    reply.pauseMs = 15;
    server.Script({reply});
    std::vector<std::int64_t> counts;
    std::int64_t chunkTotal = 0;
    http->OnDocData = [&](TObject*, const void*, int length) {
        chunkTotal += length;
        counts.push_back(http->RcvdCount());
    };
    std::int64_t storedAtEnd = -1;
    http->OnDocEnd = [&](TObject*) { storedAtEnd = received.Size(); };
    int ticks = 0;
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    http->URL = server.Url("/big");
    EXPECT_EQ(Run().code, 0);

    EXPECT_TRUE(Body() == body) << "the body differs";
    EXPECT_EQ(http->ContentLength(), static_cast<std::int64_t>(body.size()));
    EXPECT_EQ(chunkTotal, static_cast<std::int64_t>(body.size()));
    EXPECT_EQ(storedAtEnd, static_cast<std::int64_t>(body.size())) << "the stream lagged behind OnDocEnd";
    EXPECT_GE(counts.size(), 40u);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_GE(ticks, 2) << "the program's timers stopped during the download";
}

TEST_F(HttpClientTest, ZeroLengthReplyEndsAtItsHeaderAndTheNextRequestArrivesWhole)
{
    // The first reply is never closed by the server: only its length says it is over.
    ScriptedReply empty;
    empty.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n";
    empty.end = ScriptedReply::End::Hold;
    server.Script({empty, ScriptedReply::Status(200, "OK", "second reply")});
    bool docBegun = false;
    http->OnDocBegin = [&](TObject*) { docBegun = true; };
    http->URL = server.Url("/qex/data/versio2.txt");
    EXPECT_EQ(Run().code, 0);
    EXPECT_FALSE(docBegun);
    EXPECT_EQ(Body(), "");
    EXPECT_EQ(http->ContentLength(), 0);

    http->URL = server.Url("/qex/data/versio.txt");
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(Body(), "second reply");
    EXPECT_EQ(server.Connections(), 2);
}

TEST_F(HttpClientTest, HeaderlessHtmlReplyIsAllBody)
{
    ScriptedReply reply;
    reply.bytes = "<html>\r\n<body>page</body>\n</html>\r\n";
    server.Script({reply});
    http->URL = server.Url("/setup.exe");
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(Body(), reply.bytes);
    EXPECT_EQ(http->ContentType(), "text/html");
    EXPECT_EQ(http->ContentLength(), -1);
}

TEST_F(HttpClientTest, ExeAnsweredWithHtmlIsNamedHtm)
{
    server.Script({ScriptedReply::Status(200, "OK", "<p>", "Content-Type: TEXT/HTML\r\n")});
    http->URL = server.Url("/files/setup.exe");
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(http->DocName(), "setup.htm");
}

TEST_F(HttpClientTest, RepliesCutShortOrBrokenAreFailures)
{
    std::vector<std::uint16_t> doneErrors;
    http->OnRequestDone = [&](TObject*, THttpRequest, std::uint16_t error) { doneErrors.push_back(error); };
    http->URL = server.Url("/qex/data/qex.cgi");
    const std::string body = BinaryBody(20000);

    ScriptedReply shortBody = ScriptedReply::Status(200, "OK", body);
    shortBody.bytes.resize(shortBody.bytes.size() - 5000);
    server.Script({shortBody});
    Outcome cut = Run();
    EXPECT_EQ(cut.message, "Connection closed before end of document");
    EXPECT_EQ(cut.code, 404);

    ScriptedReply reset = shortBody;
    reset.end = ScriptedReply::End::Reset;
    reset.pauseBeforeEndMs = 200;
    server.Script({reset});
    Outcome broken = Run();
    EXPECT_EQ(broken.message, "Connection reset by peer (Error #10054)");
    EXPECT_EQ(broken.code, 404);
    // The socket's error where there was one, 0 for a close that only came too early.
    EXPECT_EQ(doneErrors, (std::vector<std::uint16_t>{0, 10054}));

    ScriptedReply noStatus;
    noStatus.bytes = "Content-Type: text/plain\r\n\r\nbody without a status line";
    server.Script({noStatus});
    EXPECT_EQ(Run().message, "Connection closed before end of document");

    ScriptedReply nothing;
    server.Script({nothing});
    EXPECT_EQ(Run().message, "Connection closed before end of document");

    ScriptedReply headerCut;
    headerCut.bytes = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
    server.Script({headerCut});
    EXPECT_EQ(Run().message, "Connection closed before end of document");

    // A body shorter than its length is fine for HEAD, which has none.
    ScriptedReply head;
    head.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n";
    server.Script({head});
    EXPECT_EQ(Run(httpHEAD).code, 0);
    EXPECT_EQ(server.Requests().back().substr(0, 5), "HEAD ");
}

TEST_F(HttpClientTest, StreamThatCannotBeWrittenEndsTheRequest)
{
    server.Script({ScriptedReply::Status(200, "OK", BinaryBody(50000))});
    FullDisk full;
    http->RcvdStream = &full;
    http->URL = server.Url("/qex/data/qex.cgi");
    Outcome outcome = Run();
    EXPECT_EQ(outcome.code, 404);
    EXPECT_FALSE(outcome.message.empty());
    EXPECT_EQ(http->State(), httpReady);
}

TEST_F(HttpClientTest, UnreadableHeadersEndTheRequestAtOnce)
{
    ScriptedReply longLine;
    longLine.bytes = "HTTP/1.0 200 OK\r\nX-Long: " + std::string(9000, 'x') + "\r\n\r\nbody";
    longLine.end = ScriptedReply::End::Hold; // only the client can end it
    server.Script({longLine});
    http->URL = server.Url("/x");
    Outcome line = Run();
    EXPECT_EQ(line.message, "HTTP line too long");
    EXPECT_EQ(line.code, 4);

    ScriptedReply huge;
    huge.bytes = "HTTP/1.0 200 OK\r\n";
    while (huge.bytes.size() < 70 * 1024)
        huge.bytes += "X-Filler: " + std::string(500, 'f') + "\r\n";
    huge.end = ScriptedReply::End::Hold;
    server.Script({huge});
    Outcome header = Run();
    EXPECT_EQ(header.message, "HTTP header too long");
    EXPECT_EQ(header.code, 4);

    // Lengths that leave the end of the body unknown: the server holds the connection, so only
    // the client can end the request, and nothing of the body is kept.
    for (const char* lengths : {"Content-Length: -1\r\n", "Content-Length: 4\r\nContent-Length: 40\r\n"}) {
        ScriptedReply untrusted;
        untrusted.bytes = std::string("HTTP/1.1 200 OK\r\n") + lengths + "\r\nbody";
        untrusted.end = ScriptedReply::End::Hold;
        server.Script({untrusted});
        Outcome length = Run();
        EXPECT_EQ(length.message, "Invalid Content-Length") << lengths;
        EXPECT_EQ(length.code, 4) << lengths;
        EXPECT_EQ(Body(), "") << lengths;
        EXPECT_EQ(http->State(), httpReady) << lengths;
    }
}

TEST_F(HttpClientTest, ServerThatGoesSilentIsLeftAfterTheInactivityLimit)
{
    ScriptedReply stall = ScriptedReply::Status(200, "OK", BinaryBody(10000));
    stall.bytes.resize(stall.bytes.size() - 4000);
    stall.end = ScriptedReply::End::Hold;
    server.Script({stall});
    http->SetInactivityTimeout(300);
    bool docEnded = false;
    http->OnDocEnd = [&](TObject*) { docEnded = true; };
    http->URL = server.Url("/qex/data/qex.cgi");
    Outcome outcome = Run();
    EXPECT_EQ(outcome.message, "Connection timed out (Error #10060)");
    EXPECT_EQ(outcome.code, 404);
    EXPECT_TRUE(docEnded);

    // Slower than the limit in total, but never silent for that long: never cut.
    ScriptedReply slow = ScriptedReply::Status(200, "OK", BinaryBody(10000));
    slow.pieces = 8;
    slow.pauseMs = 100;
    server.Script({slow});
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(Body().size(), 10000u);
}

TEST_F(HttpClientTest, ClosingTheProgramEndsARequestThatWaits)
{
    TApplication app(nullptr);
    TApplication* saved = Application;
    Application = &app;
    ScriptedReply stall;
    stall.bytes = "HTTP/1.0 200 OK\r\n";
    stall.end = ScriptedReply::End::Hold;
    server.Script({stall});
    TTimer quit(nullptr);
    quit.SetInterval(50);
    quit.OnTimer = [&](TObject*) { app.Terminate(); };
    http->URL = server.Url("/x");
    Outcome outcome = Run();
    Application = saved;
    EXPECT_EQ(outcome.message, "Interrupted system call (Error #10004)");
    EXPECT_EQ(http->State(), httpReady);
}

TEST_F(HttpClientTest, ReplyThatReachedItsLengthIsWholeWhateverTheConnectionDoesNext)
{
    const std::string body = BinaryBody(120 * 1024);
    http->URL = server.Url("/qex/data/qex.cgi");
    std::int64_t reported = 0;
    http->OnDocData = [&](TObject*, const void*, int length) { reported += length; };

    // Reset right after the last byte; held open with nothing more to come; held open after
    // bytes the length does not cover (they belong to no document).
    ScriptedReply reset = ScriptedReply::Status(200, "OK", body);
    reset.end = ScriptedReply::End::Reset;
    ScriptedReply held = ScriptedReply::Status(200, "OK", body);
    held.end = ScriptedReply::End::Hold;
    ScriptedReply overlong = held;
    overlong.bytes += "trailing bytes";
    for (const ScriptedReply& reply : {reset, held, overlong}) {
        server.Script({reply});
        reported = 0;
        Outcome outcome = Run();
        EXPECT_EQ(outcome.message, "");
        EXPECT_TRUE(Body() == body) << "the body differs";
        EXPECT_EQ(http->RcvdCount(), static_cast<std::int64_t>(body.size()));
        EXPECT_EQ(reported, http->RcvdCount());
    }

    // A reply that can carry no body ends at its header, whatever length it names.
    ScriptedReply head;
    head.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n";
    head.end = ScriptedReply::End::Hold;
    ScriptedReply unchanged;
    unchanged.bytes = "HTTP/1.0 304 Not Modified\r\nContent-Length: 5000\r\n\r\n";
    unchanged.end = ScriptedReply::End::Hold;
    server.Script({head});
    EXPECT_EQ(Run(httpHEAD).message, "");
    server.Script({unchanged});
    EXPECT_EQ(Run().message, "");
    EXPECT_EQ(http->StatusCode(), 304);

    // Without a length only the close ends the reply.
    ScriptedReply open;
    open.bytes = "HTTP/1.0 200 OK\r\n\r\n" + body;
    open.end = ScriptedReply::End::Hold;
    server.Script({open});
    http->SetInactivityTimeout(300);
    EXPECT_EQ(Run().message, "Connection timed out (Error #10060)");
}

TEST_F(HttpClientTest, TrickleIsLeftAfterAWindowWithoutAKilobyte)
{
    http->SetSlowTransferWindow(500);
    http->URL = server.Url("/qex/data/qex.cgi");

    // One byte every 50 ms is never silent and would end whole after six seconds.
    ScriptedReply trickle = ScriptedReply::Status(200, "OK", std::string(50, 'x'));
    trickle.pieces = static_cast<int>(trickle.bytes.size());
    trickle.pauseMs = 50;
    server.Script({trickle});
    Outcome outcome = Run();
    EXPECT_EQ(outcome.message, "Connection timed out (Error #10060)");
    EXPECT_EQ(outcome.code, 404);
    EXPECT_EQ(http->State(), httpReady);

    // Slow but steady: several kilobytes in every window.
    ScriptedReply steady = ScriptedReply::Status(200, "OK", BinaryBody(40000));
    steady.pieces = 10;
    steady.pauseMs = 150;
    server.Script({steady});
    EXPECT_EQ(Run().message, "");
    EXPECT_EQ(Body().size(), 40000u);
}

// The limits read back are the ones that end a transfer: a minute each on a new client, and at
// least a millisecond whatever is asked.
TEST_F(HttpClientTest, TransferLimitsReadBackAsTheyApply)
{
    THttpClient fresh(nullptr);
    EXPECT_EQ(fresh.InactivityTimeout(), 60000);
    EXPECT_EQ(fresh.SlowTransferWindow(), 60000);
    EXPECT_EQ(http->InactivityTimeout(), 5000);

    http->URL = server.Url("/qex/data/qex.cgi");
    ScriptedReply silent;
    silent.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n";
    silent.end = ScriptedReply::End::Hold;
    http->SetInactivityTimeout(0);
    EXPECT_EQ(http->InactivityTimeout(), 1);
    server.Script({silent});
    EXPECT_EQ(Run().message, "Connection timed out (Error #10060)");

    // A window below a millisecond is one: a body of less than a kilobyte trickled in two
    // pieces can't fill it, though the silence between them is well within the limit.
    http->SetInactivityTimeout(5000);
    http->SetSlowTransferWindow(-20);
    EXPECT_EQ(http->SlowTransferWindow(), 1);
    ScriptedReply trickle = ScriptedReply::Status(200, "OK", std::string(500, 'x'));
    trickle.pieces = 2;
    trickle.pauseMs = 100;
    server.Script({trickle});
    EXPECT_EQ(Run().message, "Connection timed out (Error #10060)");

    // Given back a minute, the same reply ends whole.
    http->SetSlowTransferWindow(60000);
    EXPECT_EQ(http->SlowTransferWindow(), 60000);
    server.Script({trickle});
    EXPECT_EQ(Run().message, "");
    EXPECT_EQ(Body(), std::string(500, 'x'));
}

TEST_F(HttpClientTest, ReplyOneByteShortOfItsLengthIsAFailure)
{
    http->URL = server.Url("/qex/data/qex.cgi");
    ScriptedReply oneShort = ScriptedReply::Status(200, "OK", BinaryBody(20000));
    oneShort.bytes.pop_back();
    server.Script({oneShort});
    Outcome cut = Run();
    EXPECT_EQ(cut.message, "Connection closed before end of document");
    EXPECT_EQ(cut.code, 404);
}

// A body may not pass the client's bound, however the server frames it: a reply without a length
// that never ends, one whose length says more than the bound, and one whose false small length
// is followed by far more are each ended without taking in more than the bound.
TEST_F(HttpClientTest, BodyPastTheBoundEndsTheRequest)
{
    constexpr std::int64_t kBound = 256 * 1024;
    http->MaxBodySize = kBound;
    http->URL = server.Url("/qex/data/qex.cgi");
    const std::string bounded = "Document larger than 262144 bytes";

    ScriptedReply endless;
    endless.bytes = "HTTP/1.0 200 OK\r\n\r\n";
    endless.end = ScriptedReply::End::Endless;
    server.Script({endless});
    Outcome unending = Run();
    EXPECT_EQ(unending.message, bounded);
    EXPECT_EQ(unending.code, 404);
    EXPECT_LE(static_cast<std::int64_t>(Body().size()), kBound);
    EXPECT_LE(http->RcvdCount(), kBound);
    EXPECT_EQ(http->State(), httpReady);

    // The length alone tells: nothing of the body is taken, even one byte past the bound.
    for (const std::string& length : {std::string("10000000000"), std::to_string(kBound + 1)}) {
        ScriptedReply declared;
        declared.bytes = "HTTP/1.0 200 OK\r\nContent-Length: " + length + "\r\n\r\n" + BinaryBody(5000);
        declared.end = ScriptedReply::End::Hold;
        server.Script({declared});
        Outcome tooLong = Run();
        EXPECT_EQ(tooLong.message, bounded) << length;
        EXPECT_EQ(Body().size(), 0u) << length;
    }

    // A false small length: the reply ends at that length and the rest is never read.
    ScriptedReply small = ScriptedReply::Status(200, "OK", BinaryBody(1000));
    small.end = ScriptedReply::End::Endless;
    server.Script({small});
    EXPECT_EQ(Run().message, "");
    EXPECT_TRUE(Body() == BinaryBody(1000)) << "the body differs";

    // A body of exactly the bound is whole, with or without its length.
    ScriptedReply full = ScriptedReply::Status(200, "OK", BinaryBody(kBound));
    ScriptedReply fullWithoutLength;
    fullWithoutLength.bytes = "HTTP/1.0 200 OK\r\n\r\n" + BinaryBody(kBound);
    for (const ScriptedReply& reply : {full, fullWithoutLength}) {
        server.Script({reply});
        EXPECT_EQ(Run().message, "");
        EXPECT_EQ(static_cast<std::int64_t>(Body().size()), kBound);
    }
    ScriptedReply oneMore = fullWithoutLength;
    oneMore.bytes += "x";
    server.Script({oneMore});
    EXPECT_EQ(Run().message, bounded);
}
