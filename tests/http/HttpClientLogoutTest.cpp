// Logging out of the server in the middle of a transfer.
#include "http/HttpClientFixture.h"

TEST_F(HttpClientTest, LogoutDropsTheConnectionOfARunningRequestAndTheNextOneConnectsAnew)
{
    ScriptedReply held;
    held.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\npart";
    held.end = ScriptedReply::End::Hold;
    server.Script({held, ScriptedReply::Status(200, "OK", "whole")});
    http->URL = server.Url("/held");
    bool started = false;
    bool done = false;
    http->OnDocData = [&](TObject*, const void*, int) { started = true; };
    http->OnRequestDone = [&](TObject*, THttpRequest, std::uint16_t) { done = true; };
    http->DoRequestAsync(httpGET);
    ASSERT_TRUE(WaitFor([&] { return started; })) << "the reply's first bytes arrive";
    EXPECT_FALSE(done);

    http->Logout();
    EXPECT_TRUE(WaitFor([&] { return done; })) << "the request ends with its connection";
    EXPECT_EQ(http->State(), httpReady);

    http->OnDocData = nullptr;
    http->OnRequestDone = nullptr;
    EXPECT_EQ(Run().message, "");
    EXPECT_EQ(Body(), "whole");
    EXPECT_EQ(server.Connections(), 2);
}
