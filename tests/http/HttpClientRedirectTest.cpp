#include "http/HttpClientFixture.h"

namespace {

ScriptedReply Redirect(const std::string& location, const std::string& body = "moved")
{
    return ScriptedReply::Status(302, "Found", body, "Location: " + location + "\r\n");
}

std::string RequestLine(const std::string& request)
{
    return request.substr(0, request.find("\r\n"));
}

} // namespace

TEST_F(HttpClientTest, RedirectToAnotherPortTurnsAPostIntoAGet)
{
    ScriptedServer other;
    other.Script({[] {
        ScriptedReply r; // no length: the one of the redirect must not linger
        r.bytes = "HTTP/1.0 200 OK\r\n\r\nthe new document";
        return r;
    }()});
    server.Script({Redirect(other.Url("/new.txt"), "0123456789")});
    RecordEvents();
    int statusSeen = 0;
    std::int64_t lengthSeen = 0;
    std::string headerSeen;
    http->OnLocationChange = [&](TObject*) {
        events.push_back("LocationChange");
        statusSeen = http->StatusCode();
        lengthSeen = http->ContentLength();
        headerSeen = http->RcvdHeader()->Count() > 0 ? http->RcvdHeader()->Strings(0) : "";
    };
    TStringStream body("files=01-07");
    http->SendStream = &body;
    http->URL = server.Url("/qex/data/qex.cgi");
    EXPECT_EQ(Run(httpPOST).code, 0);

    EXPECT_EQ(RequestLine(server.Requests().at(0)), "POST /qex/data/qex.cgi HTTP/1.0");
    ASSERT_EQ(other.Requests().size(), 1u);
    std::string followed = other.Requests()[0];
    EXPECT_EQ(RequestLine(followed), "GET /new.txt HTTP/1.0");
    EXPECT_EQ(followed.find("Content-Length"), std::string::npos);
    EXPECT_NE(followed.find("\r\nHost: 127.0.0.1\r\n"), std::string::npos);
    EXPECT_EQ(Body(), "the new document");
    EXPECT_EQ(http->StatusCode(), 200);
    EXPECT_EQ(http->ContentLength(), -1);
    EXPECT_EQ(http->Location(), other.Url("/new.txt"));
    EXPECT_EQ(std::count(events.begin(), events.end(), "LocationChange"), 1);
    // Inside the event the redirect's own reply is still what the client reports.
    EXPECT_EQ(statusSeen, 302);
    EXPECT_EQ(lengthSeen, 10);
    EXPECT_EQ(headerSeen, "HTTP/1.0 302 Found");
    EXPECT_EQ(std::count(events.begin(), events.end(), "State0"), 1); // never ready in between
    EXPECT_EQ(std::count(events.begin(), events.end(), "RequestDone0"), 1);
}

TEST_F(HttpClientTest, EmptyAndRelativeRedirectsAreFollowed)
{
    ScriptedReply empty = Redirect("/qex/data/b.txt", "");
    ScriptedReply relative = Redirect("c.txt?x=1");
    ScriptedReply up = Redirect("../up.txt");
    server.Script({empty, relative, up, ScriptedReply::Status(200, "OK", "arrived")});
    http->URL = server.Url("/qex/data/a.txt");
    EXPECT_EQ(Run().code, 0);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(RequestLine(requests[1]), "GET /qex/data/b.txt HTTP/1.0");
    EXPECT_EQ(RequestLine(requests[2]), "GET /qex/data/c.txt?x=1 HTTP/1.0");
    EXPECT_EQ(RequestLine(requests[3]), "GET /qex/up.txt HTTP/1.0");
    EXPECT_EQ(Body(), "arrived");
}

TEST_F(HttpClientTest, LocationBeforeTheServerClosesInsideTheHeaderIsFollowed)
{
    ScriptedReply cut;
    cut.bytes = "HTTP/1.0 301 Moved Permanently\r\nLocation: /there\r\n";
    server.Script({cut, ScriptedReply::Status(200, "OK", "there")});
    http->URL = server.Url("/here");
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(RequestLine(server.Requests().at(1)), "GET /there HTTP/1.0");
    EXPECT_EQ(Body(), "there");
}

TEST_F(HttpClientTest, TenRedirectsAreFollowedTheEleventhIsRefused)
{
    std::vector<ScriptedReply> ten(10, Redirect("/again"));
    ten.push_back(ScriptedReply::Status(200, "OK", "tenth"));
    server.Script(ten);
    http->URL = server.Url("/start");
    EXPECT_EQ(Run().code, 0);
    EXPECT_EQ(Body(), "tenth");

    server.Script({Redirect("/loop")});
    Outcome loop = Run();
    EXPECT_EQ(loop.message, "too many redirects");
    EXPECT_EQ(loop.code, 404);
    EXPECT_EQ(server.Connections(), 11 + 11);
    EXPECT_EQ(http->State(), httpReady);
}

TEST_F(HttpClientTest, RedirectsThroughAProxyStayWithTheProxy)
{
    server.Script({Redirect("http://other.example:8080/b.txt"), Redirect("/c.txt"),
                   ScriptedReply::Status(200, "OK", "via proxy")});
    http->URL = "http://bad..name/a.txt";
    http->Proxy = "127.0.0.1:" + std::to_string(server.Port());
    EXPECT_EQ(Run().code, 0);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestLine(requests[0]), "GET http://bad..name/a.txt HTTP/1.0");
    EXPECT_EQ(RequestLine(requests[1]), "GET http://other.example:8080/b.txt HTTP/1.0");
    EXPECT_NE(requests[1].find("\r\nHost: other.example\r\n"), std::string::npos);
    EXPECT_EQ(RequestLine(requests[2]), "GET http://other.example:8080/c.txt HTTP/1.0");
    EXPECT_EQ(Body(), "via proxy");
}
