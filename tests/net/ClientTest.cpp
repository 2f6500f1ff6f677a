// The client road against real peers on 127.0.0.1: connect, send, receive, close, failures.
#include "LocalPeer.h"
#include "SocketErrorMessage.h"
#include "SocketFixture.h"
#include "platform/messages/Timer.h"
#include <atomic>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

using SocketPtr = std::unique_ptr<TAsyncSocket>;

SocketPtr NewSocket()
{
    return SocketPtr(TAsyncSocket::Create(nullptr));
}

void Aim(TAsyncSocket& s, const std::string& port)
{
    s.SetAddr("127.0.0.1");
    s.SetPort(port);
}

} // namespace

class Client : public SocketTest {
protected:
    // Connects s to the local peer and runs the loop until its session is up.
    bool ConnectTo(TAsyncSocket& s, const peer::Server& server)
    {
        bool connected = false;
        s.OnSessionConnected = [&connected](TObject*, std::uint16_t) { connected = true; };
        Aim(s, server.PortText());
        s.Connect();
        bool up = PumpUntil([&] { return connected; });
        s.OnSessionConnected = nullptr;
        return up;
    }
};

TEST_F(Client, ConnectsSendsReceivesAndIsToldOfTheCloseOnce)
{
    peer::Server server([](int& fd) {
        std::string request = peer::ReadUntil(fd, "\n");
        peer::WriteAll(fd, "echo:" + request);
    });
    auto s = NewSocket();
    EventLog log;
    log.Attach(*s);
    std::vector<std::pair<TSocketState, TSocketState>> states;
    s->OnChangeState = [&](TObject*, TSocketState from, TSocketState to) { states.push_back({from, to}); };
    std::string received;
    s->OnDataAvailable = [&](TObject*, std::uint16_t) {
        log.Add("data", 0);
        received += s->ReceiveStr();
    };
    s->OnSessionConnected = [&](TObject*, std::uint16_t e) {
        log.Add("connected", e);
        s->SendStr("hello\n");
    };
    Aim(*s, server.PortText());
    s->Connect();
    EXPECT_EQ(s->State(), wsConnecting);
    ASSERT_TRUE(PumpUntil([&] { return log.Count("closed") > 0; }));
    PumpFor(100); // nothing more may come
    EXPECT_EQ(received, "echo:hello\n");
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(log.events.front(), "connected");
    EXPECT_LT(log.IndexOf("connected"), log.IndexOf("data"));
    EXPECT_EQ(s->State(), wsClosed);
    std::vector<std::pair<TSocketState, TSocketState>> expected{
        {wsClosed, wsOpened}, {wsOpened, wsConnecting}, {wsConnecting, wsConnected}, {wsConnected, wsClosed}};
    EXPECT_EQ(states, expected);
}

TEST_F(Client, ARefusedConnectionIsReportedWith10061)
{
    auto s = NewSocket();
    EventLog log;
    log.Attach(*s);
    std::vector<TSocketState> states;
    s->OnChangeState = [&](TObject*, TSocketState, TSocketState to) { states.push_back(to); };
    Aim(*s, std::to_string(peer::ClosedPort()));
    s->Connect();
    ASSERT_TRUE(PumpUntil([&] { return log.Count("closed") > 0; }));
    PumpFor(50);
    EXPECT_EQ(log.events, (std::vector<std::string>{"connected:10061", "closed"}));
    EXPECT_EQ(states, (std::vector<TSocketState>{wsOpened, wsConnecting, wsConnected, wsClosed}));
    EXPECT_EQ(AsyncSocketErrorDesc(10061), "Connection refused");
}

TEST_F(Client, DataSentAtOnceByThePeerComesAfterTheConnectEvent)
{
    // The peer talks first and leaves at once: data and close must still follow the connect.
    peer::Server server([](int& fd) { peer::WriteAll(fd, "greeting"); });
    auto s = NewSocket();
    EventLog log;
    log.Attach(*s);
    std::string received;
    s->OnDataAvailable = [&](TObject*, std::uint16_t) {
        log.Add("data", 0);
        received += s->ReceiveStr();
    };
    Aim(*s, server.PortText());
    s->Connect();
    ASSERT_TRUE(PumpUntil([&] { return log.Count("closed") > 0; }));
    EXPECT_EQ(log.IndexOf("connected"), 0);
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(received, "greeting");
    // A write event follows the connect, so the first OnDataSent arrives without any send.
    EXPECT_EQ(log.Count("sent"), 1);
}

TEST_F(Client, APeerResetIsOneClose)
{
    peer::Server server([](int& fd) {
        peer::ReadUntil(fd, "x");
        peer::Reset(fd);
    });
    auto s = NewSocket();
    EventLog log;
    log.Attach(*s);
    s->OnDataAvailable = [&](TObject*, std::uint16_t) { s->ReceiveStr(); };
    s->OnSessionConnected = [&](TObject*, std::uint16_t) { s->SendStr("x"); };
    Aim(*s, server.PortText());
    s->Connect();
    ASSERT_TRUE(PumpUntil([&] { return log.Count("closed") > 0; }));
    PumpFor(100);
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(s->State(), wsClosed);
}

TEST_F(Client, ALargeSendMeetsAFullPipeAndDrainsThroughOnDataSent)
{
    const std::size_t total = 8 * 1024 * 1024;
    std::size_t serverGot = 0;
    // The peer reads only once the send has met the full pipe: on a busy machine a reader that
    // starts after a fixed pause could drain the pipe before the send fills it.
    std::atomic<bool> sendReturned{false};
    auto server = std::make_unique<peer::Server>([&](int& fd) {
        for (int waited = 0; !sendReturned && waited < 60000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        serverGot = peer::ReadAll(fd, 60000);
    });
    auto s = NewSocket();
    int dataSent = 0;
    int sendDataBytes = 0;
    bool queuedAfterSend = false;
    s->OnSendData = [&](TObject*, int bytes) { sendDataBytes += bytes; };
    s->OnDataSent = [&](TObject*, std::uint16_t) {
        ++dataSent;
        if (s->AllSent())
            s->Close();
    };
    // The default linger (on, 0 s) makes every close a reset that drops what the system still
    // holds; an orderly close lets the peer read everything.
    s->SetLingerOnOff(wsLingerNoSet);
    s->OnSessionConnected = [&](TObject*, std::uint16_t) {
        std::string block(total, 'q');
        EXPECT_EQ(s->Send(block.data(), static_cast<int>(block.size())), static_cast<int>(total));
        queuedAfterSend = s->BufferedByteCount() > 0;
        sendReturned = true;
    };
    Aim(*s, server->PortText());
    s->Connect();
    ASSERT_TRUE(PumpUntil([&] { return s->State() == wsClosed; }, 60000));
    server.reset(); // joins the peer's thread
    EXPECT_TRUE(queuedAfterSend) << "the send should have met a full pipe";
    EXPECT_EQ(sendDataBytes, static_cast<int>(total));
    EXPECT_EQ(serverGot, total);
}

TEST_F(Client, SendBeforeConnectingFailsWithNotConnected)
{
    auto s = NewSocket();
    EXPECT_EQ(MessageOf([&] { s->SendStr("x"); }), "Error 10057 in function Send\r\nSocket is not connected");
    bool errored = false;
    s->OnError = [&](TObject*) { errored = true; };
    EXPECT_EQ(s->SendStr("x"), -1);
    EXPECT_TRUE(errored);
    EXPECT_EQ(s->LastError(), 10057);
}

TEST_F(Client, SettingsAreCheckedBeforeConnecting)
{
    auto s = NewSocket();
    s->SetAddr("127.0.0.1");
    EXPECT_EQ(MessageOf([&] { s->Connect(); }), "Connect: No Port Specified");
    EXPECT_EQ(s->State(), wsClosed);
    s->SetPort("1");
    s->SetAddr("");
    EXPECT_EQ(MessageOf([&] { s->Connect(); }), "Connect: No IP Address Specified");
}

TEST_F(Client, AfterACloseAddrAndPortReadBackButMustBeGivenAgain)
{
    peer::Server server([](int&) {});
    auto s = NewSocket();
    Aim(*s, server.PortText());
    s->Connect();
    EXPECT_EQ(MessageOf([&] { s->SetAddr("10.0.0.1"); }), "Cannot change Addr if not closed");
    EXPECT_EQ(s->Addr(), "127.0.0.1");
    s->Close();
    EXPECT_EQ(s->Addr(), "127.0.0.1");
    EXPECT_EQ(s->Port(), server.PortText());
    EXPECT_EQ(MessageOf([&] { s->Connect(); }), "Connect: No Port Specified");
}

TEST_F(Client, LocalAddressIsStoredInItsNormalForm)
{
    auto s = NewSocket();
    s->SetLocalAddr("");
    EXPECT_EQ(s->LocalAddr(), "0.0.0.0");
    s->SetLocalAddr("010.1.1.1");
    EXPECT_EQ(s->LocalAddr(), "8.1.1.1");
    EXPECT_THROW(s->SetLocalAddr("1.2.3.4.5"), ESocketException);
    EXPECT_EQ(s->GetXPort(), "error");
    s->SetSendFlags(wsSendUrgent);
    EXPECT_EQ(s->SendFlags(), wsSendUrgent);
}

TEST_F(Client, NameLookUps)
{
    auto s = NewSocket();
    std::vector<int> done;
    s->OnDnsLookupDone = [&](TObject*, std::uint16_t e) { done.push_back(e); };
    s->DnsLookup("10.0.0.1");
    ASSERT_EQ(done, std::vector<int>{0}) << "a dotted address is answered before returning";
    EXPECT_EQ(s->DnsResult(), "10.0.0.1");
    EXPECT_EQ(s->DnsResultList()->Count(), 0);

    s->DnsLookup("localhost");
    EXPECT_EQ(done.size(), 1u) << "a name is answered later, from the message loop";
    ASSERT_TRUE(PumpUntil([&] { return done.size() == 2; }));
    EXPECT_EQ(done[1], 0);
    EXPECT_EQ(s->DnsResult(), "127.0.0.1");
    EXPECT_GE(s->DnsResultList()->Count(), 1);

    s->DnsLookup("bad..name");
    ASSERT_TRUE(PumpUntil([&] { return done.size() == 3; }));
    EXPECT_EQ(done[2], 11001);
    EXPECT_EQ(s->DnsResult(), "");

    EXPECT_THROW(s->DnsLookup(""), ESocketException);
}

TEST_F(Client, CancellingALookUpWhoseAnswerIsAlreadyQueuedSucceeds)
{
    auto s = NewSocket();
    std::vector<int> done;
    s->OnDnsLookupDone = [&](TObject*, std::uint16_t e) { done.push_back(e); };
    s->DnsLookup("localhost");
    // The worker answers meanwhile; its reply waits in the queue, not yet handled.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_NO_THROW(s->Abort());
    EXPECT_EQ(done, std::vector<int>{10004});
    PumpFor(100);
    EXPECT_EQ(done, std::vector<int>{10004}) << "the withdrawn answer must not arrive";
}

TEST_F(Client, AConnectToAnUnresolvableNameRaisesWithTheResolverError)
{
    auto s = NewSocket();
    s->SetAddr("bad..name");
    s->SetPort("80");
    EXPECT_EQ(MessageOf([&] { s->Connect(); }), "AsyncSocketResolveHost: Cannot convert host address 'bad..name', Error #11001");
    EXPECT_EQ(s->State(), wsClosed);
}

TEST_F(Client, AnExceptionWhileHandlingAMessageGoesToOnBgExceptionAndAborts)
{
    peer::Server server([](int& fd) { peer::ReadUntil(fd, "never", 1000); });
    auto s = NewSocket();
    ASSERT_TRUE(ConnectTo(*s, server));
    std::string seen;
    s->OnBgException = [&](TObject*, const Exception& e, bool& canClose) {
        seen = e.Message;
        EXPECT_TRUE(canClose);
    };
    PostMessage(s->Handle(), WM_TRIGGER_EXCEPTION, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen, "Test exception in AsyncSocket");
    EXPECT_EQ(s->State(), wsClosed);
}

TEST_F(Client, ReleaseFreesTheSocketFromTheMessageLoop)
{
    auto* s = TAsyncSocket::Create(nullptr);
    HWND window = s->Handle();
    s->Release();
    EXPECT_TRUE(IsWindow(window));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
}

TEST_F(Client, AnOwnedSocketGoesWithItsOwner)
{
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* s = TAsyncSocket::Create(owner.get());
    HWND window = s->Handle();
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner.reset();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Client, WaitUntilReadyEndsOnTheFlagOrTheTimeout)
{
    auto s = NewSocket();
    bool done = false;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) { done = true; };
    EXPECT_EQ(s->WaitUntilReady(done), 0);
    timer.SetEnabled(false);
    s->SetTimeout(50);
    bool never = false;
    EXPECT_EQ(s->WaitUntilReady(never), WSA_WSOCKET_TIMEOUT);
    s->SetTimeout(0);
    app.Terminate();
    EXPECT_EQ(s->WaitUntilReady(never), WSA_WSOCKET_TIMEOUT);
}

TEST_F(Client, WaitForCloseReturnsWhenThePeerLeaves)
{
    peer::Server server([](int& fd) {
        peer::ReadUntil(fd, "bye");
        peer::WriteAll(fd, "last words");
    });
    auto s = NewSocket();
    std::string received;
    s->OnDataAvailable = [&](TObject*, std::uint16_t) { received += s->ReceiveStr(); };
    ASSERT_TRUE(ConnectTo(*s, server));
    s->SendStr("bye");
    s->WaitForClose();
    PumpUntil([&] { return s->State() == wsClosed; });
    EXPECT_EQ(received, "last words");
}

TEST_F(Client, FlushAndWaitForCloseGiveUpAfterFlushTimeout)
{
    peer::Server server([](int& fd) { peer::ReadUntil(fd, "never", 4000); });
    auto s = NewSocket();
    ASSERT_TRUE(ConnectTo(*s, server));
    s->SetFlushTimeout(1);
    std::string block(32 * 1024 * 1024, 'f');
    s->Send(block.data(), static_cast<int>(block.size()));
    s->Flush();
    EXPECT_FALSE(s->AllSent());
    s->WaitForClose(); // the peer stays: bounded by the same timeout
    EXPECT_EQ(s->State(), wsConnected);
    s->Abort();
}
