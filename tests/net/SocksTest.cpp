// SOCKS: the reply parsers on their own, then whole negotiations against a small SOCKS server
// written here, on 127.0.0.1.
#include "LocalPeer.h"
#include "SocketErrorMessage.h"
#include "SocketFixture.h"
#include "net/SocksProtocol.h"
#include <algorithm>
#include <arpa/inet.h>
#include <memory>
#include <tuple>

namespace {

using Bytes = std::basic_string<std::uint8_t>;

Bytes B(std::initializer_list<int> values)
{
    Bytes b;
    for (int v : values)
        b += static_cast<std::uint8_t>(v);
    return b;
}

std::string S(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

} // namespace

TEST(SocksProtocol, Socks5ReplyWithANameIsCompleteAtItsLength)
{
    Bytes reply = B({5, 0, 0, 3, 11});
    reply += reinterpret_cast<const std::uint8_t*>("example.org");
    reply += B({0x1F, 0x90, 'x', 'y'});
    AnsiString addr, port;
    for (std::size_t n = 0; n < 18; ++n)
        EXPECT_EQ(socks::ParseSocks5Reply(reply.data(), n, addr, port).kind, socks::Outcome::NeedMore) << n;
    auto done = socks::ParseSocks5Reply(reply.data(), reply.size(), addr, port);
    ASSERT_EQ(done.kind, socks::Outcome::Done);
    EXPECT_EQ(done.length, 18u);
    EXPECT_EQ(addr, "example.org");
    EXPECT_EQ(port, "8080");
}

TEST(SocksProtocol, Socks5ReplyErrorsAndAddressTypes)
{
    AnsiString addr, port;
    auto ipv4 = socks::ParseSocks5Reply(B({5, 0, 0, 1, 10, 1, 2, 3, 0, 80}).data(), 10, addr, port);
    EXPECT_EQ(ipv4.kind, socks::Outcome::Done);
    EXPECT_EQ(addr, "10.1.2.3");
    EXPECT_EQ(port, "80");
    auto refused = socks::ParseSocks5Reply(B({5, 5}).data(), 2, addr, port);
    EXPECT_EQ(refused.error, 20008);
    EXPECT_EQ(refused.message, "connection refused");
    auto odd = socks::ParseSocks5Reply(B({5, 9}).data(), 2, addr, port);
    EXPECT_EQ(odd.error, 20012);
    EXPECT_EQ(odd.message, "unassigned error #9");
    auto version = socks::ParseSocks5Reply(B({4, 0}).data(), 2, addr, port);
    EXPECT_EQ(version.error, 20002);
    auto ipv6 = socks::ParseSocks5Reply(B({5, 0, 0, 4, 0}).data(), 5, addr, port);
    EXPECT_EQ(ipv6.error, 20011);
    // The longest reply there is fits: a 255-byte name.
    Bytes longest = B({5, 0, 0, 3, 255}) + Bytes(255, 'n') + B({0, 1});
    ASSERT_EQ(longest.size(), socks::kReplyCapacity);
    EXPECT_EQ(socks::ParseSocks5Reply(longest.data(), longest.size(), addr, port).kind, socks::Outcome::Done);
}

// Every refusal a server can answer, with the error number and text the owner is told.
TEST(SocksProtocol, EveryReplyCodeHasItsErrorAndText)
{
    AnsiString addr, port;
    const std::tuple<int, int, const char*> socks5[] = {
        {1, 20004, "general SOCKS server failure"}, {2, 20005, "connection not allowed by ruleset"},
        {3, 20006, "network unreachable"},          {4, 20007, "host unreachable"},
        {5, 20008, "connection refused"},           {6, 20009, "time to live expired"},
        {7, 20010, "command not supported"},        {8, 20011, "address type not supported"},
        {255, 20012, "unassigned error #255"},
    };
    for (const auto& [code, error, message] : socks5) {
        auto reply = socks::ParseSocks5Reply(B({5, static_cast<std::uint8_t>(code)}).data(), 2, addr, port);
        EXPECT_EQ(reply.kind, socks::Outcome::Failed) << "code " << code;
        EXPECT_EQ(reply.error, error) << "code " << code;
        EXPECT_EQ(reply.message, message) << "code " << code;
    }
    const std::tuple<int, int, const char*> socks4[] = {
        {91, 20016, "request rejected or failed"}, {92, 20008, "connection refused"},
        {93, 20015, "authentification failed"},    {94, 20012, "unassigned error #94"},
    };
    for (const auto& [code, error, message] : socks4) {
        auto reply = socks::ParseSocks4Reply(B({0, static_cast<std::uint8_t>(code), 0, 0, 0, 0, 0, 0}).data(), 8);
        EXPECT_EQ(reply.error, error) << "code " << code;
        EXPECT_EQ(reply.message, message) << "code " << code;
    }
}

TEST(SocksProtocol, Socks4Replies)
{
    EXPECT_EQ(socks::ParseSocks4Reply(B({0, 90, 0, 0, 0, 0, 0}).data(), 7).kind, socks::Outcome::NeedMore);
    auto granted = socks::ParseSocks4Reply(B({0, 90, 0, 0, 0, 0, 0, 0}).data(), 8);
    EXPECT_EQ(granted.kind, socks::Outcome::Done);
    EXPECT_EQ(granted.length, 8u);
    auto rejected = socks::ParseSocks4Reply(B({0, 91, 0, 0, 0, 0, 0, 0}).data(), 8);
    EXPECT_EQ(rejected.error, 20016);
    EXPECT_EQ(rejected.message, "request rejected or failed");
    EXPECT_EQ(socks::ParseSocks4Reply(B({0, 92, 0, 0, 0, 0, 0, 0}).data(), 8).error, 20008);
    EXPECT_EQ(socks::ParseSocks4Reply(B({0, 93, 0, 0, 0, 0, 0, 0}).data(), 8).error, 20015);
    EXPECT_EQ(socks::ParseSocks4Reply(B({1, 90, 0, 0, 0, 0, 0, 0}).data(), 8).error, 20002);
}

TEST(SocksProtocol, Requests)
{
    EXPECT_EQ(socks::Socks5Greeting(false), S({5, 1, 0}));
    EXPECT_EQ(socks::Socks5Greeting(true), S({5, 1, 2}));
    EXPECT_EQ(socks::Socks5AuthRequest("ab", "xyz"), S({1, 2, 'a', 'b', 3, 'x', 'y', 'z'}));
    EXPECT_EQ(socks::Socks5ConnectRequest("h.fi", 80), S({5, 1, 0, 3, 4, 'h', '.', 'f', 'i', 0, 80}));
    EXPECT_EQ(socks::Socks4ConnectRequest(0x1F90, inet_addr("1.2.3.4"), "me"),
              S({4, 1, 0x1F, 0x90, 1, 2, 3, 4, 'm', 'e', 0}));
    EXPECT_EQ(socks::Socks4AConnectRequest(80, "", "h"), S({4, 1, 0, 80, 0, 0, 0, 1, 0, 'h', 0}));
}

namespace {

struct SocksScript {
    bool wantAuth = false;       // answer method 2
    int replyCode = 0;           // SOCKS 5 reply code
    std::string afterReply;      // bytes sent in the same write as the reply
    std::string seenRequest;     // what the client asked for
    std::string seenAuth;
};

// A SOCKS 5 server for one client: negotiates as scripted, then echoes.
void ServeSocks5(int& fd, SocksScript& script)
{
    std::string greeting = peer::ReadSome(fd, 3);
    if (greeting.size() < 3)
        return;
    if (script.wantAuth) {
        peer::WriteAll(fd, S({5, 2}));
        std::string head = peer::ReadSome(fd, 2);
        std::string user = peer::ReadSome(fd, static_cast<unsigned char>(head[1]));
        std::string plen = peer::ReadSome(fd, 1);
        std::string password = peer::ReadSome(fd, static_cast<unsigned char>(plen[0]));
        script.seenAuth = user + ":" + password;
        peer::WriteAll(fd, S({1, password == "secret" ? 0 : 1}));
        if (password != "secret")
            return;
    } else {
        peer::WriteAll(fd, S({5, 0}));
    }
    std::string head = peer::ReadSome(fd, 5);
    std::string rest = peer::ReadSome(fd, static_cast<unsigned char>(head[4]) + 2);
    script.seenRequest = head + rest;
    peer::WriteAll(fd, S({5, script.replyCode, 0, 1, 127, 0, 0, 1, 0x30, 0x39}) + script.afterReply);
    if (script.replyCode != 0)
        return;
    for (;;) {
        std::string got = peer::ReadOnce(fd, 2000);
        if (got.empty() || !peer::WriteAll(fd, got))
            return;
    }
}

} // namespace

class Socks : public SocketTest {
protected:
    std::unique_ptr<TAsyncSocket> s{TAsyncSocket::Create(nullptr)};
    std::vector<std::string> log;
    std::string received;

    void Start(std::uint16_t proxyPort, const AnsiString& host = "www.example.fi")
    {
        s->SetSocksServer("127.0.0.1");
        s->SetSocksPort(std::to_string(proxyPort));
        s->SetAddr(host);
        s->SetPort("80");
        s->OnSocksConnected = [this](TObject*, std::uint16_t e) { log.push_back("socks-connected:" + std::to_string(e)); };
        s->OnSessionConnected = [this](TObject*, std::uint16_t e) { log.push_back("connected:" + std::to_string(e)); };
        s->OnSessionClosed = [this](TObject*, std::uint16_t e) { log.push_back("closed:" + std::to_string(e)); };
        s->OnSocksError = [this](TObject*, int e, const AnsiString& m) { log.push_back("error:" + std::to_string(e) + " " + m); };
        s->OnSocksAuthState = [this](TObject*, int state) { log.push_back("auth:" + std::to_string(state)); };
        s->OnDataAvailable = [this](TObject*, std::uint16_t) { received += s->ReceiveStr(); };
        s->Connect();
    }

    // Credentials longer than their one length byte can say are refused before the proxy hears them.
    void ExpectCredentialsRefused(const std::string& usercode, const std::string& password)
    {
        SocksScript script;
        script.wantAuth = true;
        peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
        s->SetSocksAuthentication(socksAuthenticateUsercode);
        s->SetSocksUsercode(usercode);
        s->SetSocksPassword(password);
        Start(server.Port());
        ASSERT_TRUE(PumpUntil([&] { return s->State() == wsClosed; }));
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[1], "error:20014 user code or password too long");
    }
};

TEST_F(Socks, Socks5WithoutAuthenticationConnectsAndCarriesData)
{
    SocksScript script;
    script.afterReply = "early";
    peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
    s->SetSocksAuthentication(socksAuthenticateUsercode); // offered, but the server does not ask
    Start(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return received == "early"; }));
    s->SendStr("through");
    ASSERT_TRUE(PumpUntil([&] { return received == "earlythrough"; }));
    EXPECT_EQ(log, (std::vector<std::string>{"socks-connected:0", "auth:3", "connected:0"}));
    EXPECT_EQ(script.seenRequest, S({5, 1, 0, 3, 14}) + "www.example.fi" + S({0, 80}));
    EXPECT_EQ(s->BoundAddr(), "127.0.0.1");
    EXPECT_EQ(s->BoundPort(), "12345");
    s->Close(); // ends the peer's echo at once
}

TEST_F(Socks, Socks5WithUserCodeAuthentication)
{
    SocksScript script;
    script.wantAuth = true;
    peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
    EXPECT_EQ(s->SocksAuthentication(), socksNoAuthentication);
    s->SetSocksAuthentication(socksAuthenticateUsercode);
    s->SetSocksUsercode("kalle");
    s->SetSocksPassword("secret");
    Start(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return !log.empty() && log.back().rfind("connected", 0) == 0; }));
    EXPECT_EQ(log, (std::vector<std::string>{"socks-connected:0", "auth:0", "auth:1", "connected:0"}));
    EXPECT_EQ(script.seenAuth, "kalle:secret");
    EXPECT_EQ(s->SocksPort(), std::to_string(server.Port()));
    s->Close();
    // The proxy must be named again after a close; who logs in to it stays.
    EXPECT_EQ(s->SocksPort(), "");
    EXPECT_EQ(s->SocksServer(), "");
    EXPECT_EQ(s->SocksUsercode(), "kalle");
    EXPECT_EQ(s->SocksPassword(), "secret");
    EXPECT_EQ(s->SocksAuthentication(), socksAuthenticateUsercode);
}

TEST_F(Socks, AFailedAuthenticationIsASocksError)
{
    SocksScript script;
    script.wantAuth = true;
    peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
    s->SetSocksAuthentication(socksAuthenticateUsercode);
    s->SetSocksUsercode("kalle");
    s->SetSocksPassword("wrong");
    Start(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return s->State() == wsClosed; }));
    EXPECT_EQ(log, (std::vector<std::string>{"socks-connected:0", "auth:0", "error:20015 socks authentication failed",
                                             "connected:20015", "closed:20015"}));
}

TEST_F(Socks, ARefusedRequestEndsWithItsErrorCode)
{
    SocksScript script;
    script.replyCode = 5;
    peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
    Start(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return s->State() == wsClosed; }));
    EXPECT_EQ(log, (std::vector<std::string>{"socks-connected:0", "error:20008 connection refused", "connected:20008",
                                             "closed:20008"}));
    EXPECT_EQ(s->SocksServer(), "") << "the proxy must be set again for the next connection";
}

TEST_F(Socks, Socks4RejectionAndGrant)
{
    for (int code : {91, 90}) {
        std::string request;
        peer::Server server([&](int& fd) {
            request = peer::ReadUntil(fd, std::string(1, '\0'));
            peer::WriteAll(fd, S({0, code, 0, 0, 0, 0, 0, 0}));
            peer::ReadSome(fd, 1, 500);
        });
        log.clear();
        s->SetSocksLevel("4");
        s->SetSocksServer("127.0.0.1");
        s->SetSocksPort(server.PortText());
        s->SetSocksUsercode("u");
        s->SetAddr("127.0.0.1");
        s->SetPort("8080");
        s->OnSocksError = [&](TObject*, int e, const AnsiString& m) { log.push_back(std::to_string(e) + " " + m); };
        s->OnSessionConnected = [&](TObject*, std::uint16_t e) { log.push_back("connected:" + std::to_string(e)); };
        s->Connect();
        ASSERT_TRUE(PumpUntil([&] { return !log.empty() && log.back().rfind("connected", 0) == 0; }));
        EXPECT_EQ(request, S({4, 1, 0x1F, 0x90, 127, 0, 0, 1, 'u', 0}));
        if (code == 91) {
            EXPECT_EQ(log, (std::vector<std::string>{"20016 request rejected or failed", "connected:20016"}));
        } else {
            EXPECT_EQ(log, (std::vector<std::string>{"connected:0"}));
        }
        s->Close();
    }
}

TEST_F(Socks, TooLongAUserCodeIsRefusedBeforeAnythingIsSent)
{
    ExpectCredentialsRefused(std::string(256, 'u'), "");
}

TEST_F(Socks, AUserCodeAndAHostNameOf255BytesGoThrough)
{
    SocksScript script;
    script.wantAuth = true;
    peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
    s->SetSocksAuthentication(socksAuthenticateUsercode);
    s->SetSocksUsercode(std::string(255, 'u'));
    s->SetSocksPassword("secret");
    const std::string host(255, 'h');
    Start(server.Port(), host);
    ASSERT_TRUE(PumpUntil([&] { return !log.empty() && log.back().rfind("connected", 0) == 0; }));
    EXPECT_EQ(log.back(), "connected:0");
    EXPECT_EQ(script.seenAuth, std::string(255, 'u') + ":secret");
    EXPECT_EQ(script.seenRequest, S({5, 1, 0, 3, 255}) + host + S({0, 80}));
    s->Close();
}

TEST_F(Socks, APasswordOf256BytesIsRefusedBeforeAnythingIsSent)
{
    ExpectCredentialsRefused("kalle", std::string(256, 'p'));
}

TEST_F(Socks, AHostNameOf256BytesIsRefusedBeforeItIsAskedFor)
{
    SocksScript script;
    peer::Server server([&](int& fd) { ServeSocks5(fd, script); });
    Start(server.Port(), std::string(256, 'h'));
    ASSERT_TRUE(PumpUntil([&] { return s->State() == wsClosed; }));
    EXPECT_NE(std::find(log.begin(), log.end(), "error:20014 host name or user code too long"), log.end())
        << ::testing::PrintToString(log);
}

TEST_F(Socks, LevelsAreCheckedAndOnlyTcpGoesThroughAProxy)
{
    s->SetSocksServer("127.0.0.1");
    EXPECT_THROW(s->SetSocksLevel("6"), ESocketException);
    s->SetSocksLevel("4a");
    EXPECT_EQ(s->SocksLevel(), "4A");
    s->SetPort("1");
    EXPECT_THROW(s->Listen(), ESocketException);
    s->Close();
    s->SetAddr("127.0.0.1");
    s->SetPort(std::to_string(peer::ClosedPort()));
    s->SetProto("udp");
    s->SetSocksServer("127.0.0.1");
    EXPECT_EQ(MessageOf([&] { s->Connect(); }), "tcp is the only protocol supported thru socks server");
}
