// The client road against real peers on 127.0.0.1: connect, send, receive, close, failures.
#include "LocalPeer.h"
#include "SocketErrorMessage.h"
#include "SocketFixture.h"
#include "platform/messages/Timer.h"
#include "platform/winsock/SocketTable.h"
#include <arpa/inet.h>
#include <atomic>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
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

    // The reverse way: an address gives its name, also from the loop.
    s->ReverseDnsLookup("127.0.0.1");
    EXPECT_EQ(done.size(), 3u);
    ASSERT_TRUE(PumpUntil([&] { return done.size() == 4; }));
    EXPECT_EQ(done[3], 0);
    EXPECT_EQ(s->DnsResult(), "localhost");
    EXPECT_THROW(s->ReverseDnsLookup(""), ESocketException);
}

// Options given before connecting are what the system socket carries; the socket reads them
// back while connected and starts over from the defaults once closed.
TEST_F(Client, OptionsGivenBeforeConnectingReachTheSystemSocket)
{
    // The peer tells which port the connection came from.
    peer::Server server([](int& fd) {
        sockaddr_in from {};
        socklen_t length = sizeof from;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&from), &length) == 0)
            peer::WriteAll(fd, std::to_string(ntohs(from.sin_port)));
        peer::ReadUntil(fd, "never", 4000);
    });
    auto s = NewSocket();
    std::string peerSawPort;
    s->OnDataAvailable = [&](TObject*, std::uint16_t) { peerSawPort += s->ReceiveStr(); };
    EXPECT_EQ(s->HSocket(), winsock::INVALID_SOCKET);
    EXPECT_EQ(s->Proto(), "tcp");
    EXPECT_EQ(s->LocalPort(), "0");
    EXPECT_EQ(s->ComponentOptions(), 0u);
    EXPECT_EQ(s->LingerOnOff(), wsLingerOn);
    EXPECT_EQ(s->LingerTimeout(), 0);

    const std::string localPort = std::to_string(peer::ClosedPort());
    s->SetLocalPort(localPort);
    s->SetComponentOptions(wsoTcpNoDelay);
    s->SetLingerTimeout(7);
    ASSERT_TRUE(ConnectTo(*s, server));
    ASSERT_NE(s->HSocket(), winsock::INVALID_SOCKET);
    const int fd = winsock::detail::FindSocket(s->HSocket())->fd;
    int noDelay = 0;
    socklen_t length = sizeof noDelay;
    ASSERT_EQ(::getsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, &length), 0);
    EXPECT_EQ(noDelay, 1);
    ::linger lingering {};
    length = sizeof lingering;
    ASSERT_EQ(::getsockopt(fd, SOL_SOCKET, SO_LINGER, &lingering, &length), 0);
    EXPECT_EQ(lingering.l_onoff, 1);
    EXPECT_EQ(lingering.l_linger, 7);
    EXPECT_EQ(s->LingerTimeout(), 7);
    EXPECT_EQ(s->ComponentOptions(), unsigned(wsoTcpNoDelay));
    EXPECT_EQ(s->LocalPort(), localPort);
    ASSERT_TRUE(PumpUntil([&] { return peerSawPort.size() == localPort.size(); }));
    EXPECT_EQ(peerSawPort, localPort) << "the connection came from the port given";

    s->Abort();
    EXPECT_EQ(s->HSocket(), winsock::INVALID_SOCKET);
    EXPECT_EQ(s->LocalPort(), "0");
    EXPECT_EQ(s->LingerTimeout(), 0);
    EXPECT_EQ(s->LingerOnOff(), wsLingerOn);
}

// ReadCount sums what the socket handed out; Pause holds the events back until Resume; the
// count starts over with the next connection.
TEST_F(Client, ReadCountAndPauseFollowWhatIsRead)
{
    peer::Server server([](int& fd) {
        peer::WriteAll(fd, "first");
        peer::ReadUntil(fd, "more");
        peer::WriteAll(fd, "second");
        peer::ReadUntil(fd, "never", 4000);
    });
    auto s = NewSocket();
    std::string received;
    s->OnDataAvailable = [&](TObject*, std::uint16_t) { received += s->ReceiveStr(); };
    ASSERT_TRUE(ConnectTo(*s, server));
    ASSERT_TRUE(PumpUntil([&] { return received == "first"; }));
    EXPECT_EQ(s->ReadCount(), 5);

    EXPECT_EQ(s->Pause(), 0);
    s->SendStr("more");
    // The peer answers at once; the paused socket hears of it only once resumed. Its answer is
    // seen waiting on the system socket, not by a wait of a fixed time.
    pollfd waiting {winsock::detail::FindSocket(s->HSocket())->fd, POLLIN, 0};
    ASSERT_EQ(::poll(&waiting, 1, 10000), 1);
    PumpFor(50);
    EXPECT_EQ(received, "first") << "nothing is heard while paused";
    EXPECT_EQ(s->Resume(), 0);
    ASSERT_TRUE(PumpUntil([&] { return received == "firstsecond"; }));
    EXPECT_EQ(s->ReadCount(), 11);

    s->Abort();
    EXPECT_EQ(s->ReadCount(), 0);
}

TEST_F(Client, CloseDelayedClosesFromTheMessageLoop)
{
    peer::Server server([](int& fd) { peer::ReadUntil(fd, "never", 4000); });
    auto s = NewSocket();
    EventLog log;
    ASSERT_TRUE(ConnectTo(*s, server));
    log.Attach(*s);
    s->CloseDelayed();
    EXPECT_EQ(s->State(), wsConnected) << "nothing happens before the loop runs";
    ASSERT_TRUE(PumpUntil([&] { return s->State() == wsClosed; }));
    EXPECT_EQ(log.Count("closed"), 1);
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
    EXPECT_EQ(s->Timeout(), 50);
    bool never = false;
    EXPECT_EQ(s->WaitUntilReady(never), WSA_WSOCKET_TIMEOUT);

    // Synchronize clears the flag, runs the step that will set it, then waits.
    bool ready = true;
    int steps = 0;
    EXPECT_EQ(s->Synchronize(nullptr, ready), WSA_WSOCKET_TIMEOUT) << "a flag set before is cleared";
    EXPECT_FALSE(ready);
    s->SetTimeout(30000);
    EXPECT_EQ(s->Synchronize(
                  [&] {
                      ++steps;
                      done = false;
                      timer.SetEnabled(true);
                  },
                  done),
              0);
    EXPECT_EQ(steps, 1);
    timer.SetEnabled(false);
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
    EXPECT_EQ(s->FlushTimeout(), 60);
    s->SetFlushTimeout(1);
    EXPECT_EQ(s->FlushTimeout(), 1);
    std::string block(32 * 1024 * 1024, 'f');
    s->Send(block.data(), static_cast<int>(block.size()));
    s->Flush();
    EXPECT_FALSE(s->AllSent());
    s->WaitForClose(); // the peer stays: bounded by the same timeout
    EXPECT_EQ(s->State(), wsConnected);
    s->Abort();
    EXPECT_EQ(s->FlushTimeout(), 60) << "a closed socket starts over with a minute";
}

// Data cut into many small send blocks still arrives whole and in order; a block size below 1
// is a whole Ethernet frame's payload.
TEST_F(Client, SmallSendBlocksCarryTheDataWhole)
{
    std::string payload;
    for (int i = 0; i < 3000; ++i)
        payload += static_cast<char>('a' + i % 26);
    std::string peerGot;
    peer::Server server([&](int& fd) { peerGot = peer::ReadSome(fd, payload.size()); });
    auto s = NewSocket();
    EXPECT_EQ(s->SendBlockSize(), 1460);
    s->SetSendBlockSize(0);
    EXPECT_EQ(s->SendBlockSize(), 1460);
    s->SetSendBlockSize(-5);
    EXPECT_EQ(s->SendBlockSize(), 1460);
    s->SetSendBlockSize(7);
    EXPECT_EQ(s->SendBlockSize(), 7);
    bool closed = false;
    s->OnSessionClosed = [&](TObject*, std::uint16_t) { closed = true; };
    ASSERT_TRUE(ConnectTo(*s, server));
    EXPECT_EQ(s->Send(payload.data(), static_cast<int>(payload.size())), static_cast<int>(payload.size()));
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_TRUE(peerGot == payload) << "the peer got " << peerGot.size() << " bytes, or other bytes";
}

// GetPeerName answers only while connected, with the peer's own address.
TEST_F(Client, GetPeerNameAnswersOnlyWhileConnected)
{
    peer::Server server([](int& fd) { peer::ReadUntil(fd, "never", 4000); });
    auto s = NewSocket();
    sockaddr_in name {};
    int length = sizeof name;
    EXPECT_EQ(s->GetPeerName(name, length), -1);
    ASSERT_TRUE(ConnectTo(*s, server));
    ASSERT_EQ(s->GetPeerName(name, length), 0);
    EXPECT_EQ(ntohs(name.sin_port), server.Port());
    EXPECT_EQ(std::string(inet_ntoa(name.sin_addr)), "127.0.0.1");
    s->Abort();
    EXPECT_EQ(s->GetPeerName(name, length), -1);
}

// MultiThreaded chooses the loop a waiting socket runs: its own notes that the program is quitting,
// the application's leaves that to the application.
TEST_F(Client, MultiThreadedSocketsRunTheirOwnLoop)
{
    auto s = NewSocket();
    EXPECT_FALSE(s->MultiThreaded());
    app.Terminate();
    s->MessagePump();
    EXPECT_FALSE(s->QuitSeen());
    s->SetMultiThreaded(true);
    EXPECT_TRUE(s->MultiThreaded());
    s->MessagePump();
    EXPECT_TRUE(s->QuitSeen());
}

// Kept for classes built on the socket: a pair is set when either word is, clearing empties
// both, and the comparison asks for equality or, with the flag off, for a difference.
TEST(SocketPairs, SetClearAndCompare)
{
    std::unique_ptr<TAsyncSocket> s(TAsyncSocket::Create(nullptr));
    EXPECT_FALSE(s->IsPairSet(0, 0));
    EXPECT_TRUE(s->IsPairSet(1, 0));
    EXPECT_TRUE(s->IsPairSet(0, 0x80000000u));
    std::uint32_t low = 5, high = 9;
    s->ClearPair(low, high);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 0u);
    EXPECT_TRUE(s->ComparePair(3, 3, true));
    EXPECT_FALSE(s->ComparePair(3, 4, true));
    EXPECT_TRUE(s->ComparePair(3, 4, false));
    EXPECT_FALSE(s->ComparePair(3, 3, false));
}
