// WSAAsyncSelect's rules on Qt's notifiers: one message per event until the program reacts, the
// connect outcome before anything else, and name look-ups answered through the message loop.
#include "../net/LocalPeer.h"
#include "platform/winsock/Winsock.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

// Inside the namespace, the binding's names hide the C library's.
namespace winsock {

namespace {

constexpr UINT kSelect = WM_USER + 1;
constexpr UINT kLookup = WM_USER + 2;

struct Event {
    long event;
    int error;
};

class AsyncSelect : public ::testing::Test {
protected:
    AsyncSelect()
    {
        WSAStartup(0x0101, &data);
        window = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == kSelect && m.WParam == socket)
                events.push_back({WSAGETSELECTEVENT(m.LParam), WSAGETSELECTERROR(m.LParam)});
            if (m.Msg == kLookup)
                replies.push_back(m);
        });
    }
    ~AsyncSelect() override
    {
        if (socket != INVALID_SOCKET)
            closesocket(socket);
        DeallocateHWnd(window);
        WSACleanup();
    }

    void Pump(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    template <typename Pred>
    bool PumpUntil(Pred done, int boundMs = 30000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < boundMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return done();
    }
    int Count(long event) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.event == event;
        return n;
    }
    void ConnectTo(std::uint16_t port)
    {
        socket = winsock::socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(WSAAsyncSelect(socket, window, kSelect, FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE), 0);
        sockaddr_in target {};
        target.sin_family = AF_INET;
        target.sin_port = htons(port);
        target.sin_addr.s_addr = inet_addr("127.0.0.1");
        int result = connect(socket, reinterpret_cast<sockaddr*>(&target), sizeof target);
        ASSERT_TRUE(result == 0 || WSAGetLastError() == WSAEWOULDBLOCK);
        ASSERT_TRUE(PumpUntil([&] { return Count(FD_CONNECT) > 0; }));
    }

    WSADATA data;
    HWND window = 0;
    SOCKET socket = INVALID_SOCKET;
    std::vector<Event> events;
    std::vector<TMessage> replies;
};

} // namespace

TEST_F(AsyncSelect, ConnectComesFirstThenOneWrite)
{
    peer::Server server([](int& fd) {
        peer::WriteAll(fd, "hello"); // data at once: must not overtake the connect
        peer::ReadSome(fd, 1, 500);
    });
    ConnectTo(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_READ) > 0; }));
    Pump(100); // nothing more may come
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].event, FD_CONNECT);
    EXPECT_EQ(events[0].error, 0);
    EXPECT_EQ(events[1].event, FD_WRITE);
    EXPECT_EQ(Count(FD_READ), 1);
    EXPECT_EQ(Count(FD_WRITE), 1);
}

TEST_F(AsyncSelect, ARefusedConnectIsTheOnlyEvent)
{
    ConnectTo(peer::ClosedPort());
    Pump(100);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].event, FD_CONNECT);
    EXPECT_EQ(events[0].error, WSAECONNREFUSED);
}

TEST_F(AsyncSelect, ReadIsReportedOnceUntilTheProgramReads)
{
    peer::Server server([](int& fd) {
        for (int i = 0; i < 5; ++i) {
            peer::WriteAll(fd, "chunk");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        peer::ReadSome(fd, 1, 1000);
    });
    ConnectTo(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_READ) > 0; }));
    Pump(300); // the other chunks arrive meanwhile
    EXPECT_EQ(Count(FD_READ), 1) << "no recv yet, so no second FD_READ";
    char buffer[8];
    EXPECT_EQ(recv(socket, buffer, 5, 0), 5);
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_READ) == 2; }));
    Pump(50);
    EXPECT_EQ(Count(FD_READ), 2);
}

TEST_F(AsyncSelect, ThePeersCloseComesOnceAfterTheData)
{
    peer::Server server([](int& fd) { peer::WriteAll(fd, "bye"); });
    ConnectTo(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_READ) == 1; }));
    EXPECT_EQ(Count(FD_CLOSE), 0) << "unread data comes before the close";
    char buffer[8];
    EXPECT_EQ(recv(socket, buffer, sizeof buffer, 0), 3);
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_CLOSE) == 1; }));
    EXPECT_EQ(recv(socket, buffer, sizeof buffer, 0), 0);
    Pump(50);
    EXPECT_EQ(Count(FD_CLOSE), 1);
}

TEST_F(AsyncSelect, WriteComesAgainOnlyAfterASendWouldBlock)
{
    std::atomic<bool> drain{false};
    peer::Server server([&](int& fd) {
        while (!drain)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        peer::ReadAll(fd, 2000);
    });
    ConnectTo(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_WRITE) > 0; }));
    Pump(50);
    EXPECT_EQ(Count(FD_WRITE), 1);
    EXPECT_EQ(send(socket, "small", 5, 0), 5);
    Pump(50);
    EXPECT_EQ(Count(FD_WRITE), 1) << "a send that went through brings no FD_WRITE";
    std::string block(1 << 20, 'b');
    int result;
    do {
        result = send(socket, block.data(), static_cast<int>(block.size()), 0);
    } while (result > 0);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    Pump(50);
    EXPECT_EQ(Count(FD_WRITE), 1) << "the pipe is still full";
    drain = true;
    ASSERT_TRUE(PumpUntil([&] { return Count(FD_WRITE) == 2; }));
    closesocket(socket); // lets the peer stop reading at once
    socket = INVALID_SOCKET;
}

TEST_F(AsyncSelect, NothingArrivesForAClosedSocket)
{
    peer::Server server([](int& fd) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        peer::WriteAll(fd, "late");
    });
    ConnectTo(server.Port());
    SOCKET old = socket;
    closesocket(socket);
    socket = INVALID_SOCKET;
    std::size_t before = events.size();
    SOCKET fresh = winsock::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(fresh, old);
    socket = old; // record anything still addressed to the old handle
    Pump(200);
    EXPECT_EQ(events.size(), before);
    socket = fresh;
}

TEST_F(AsyncSelect, NameLookUpsAnswerThroughTheWindow)
{
    alignas(hostent) char buffer[MAXGETHOSTSTRUCT];
    HANDLE request = WSAAsyncGetHostByName(window, kLookup, "localhost", buffer, sizeof buffer);
    ASSERT_NE(request, 0u);
    ASSERT_TRUE(PumpUntil([&] { return !replies.empty(); }));
    EXPECT_EQ(replies[0].WParam, request);
    // The entry is read only when the look-up answered: a machine without "localhost" in its
    // hosts file fails here instead of reading an empty buffer.
    ASSERT_EQ(WSAGETASYNCERROR(replies[0].LParam), 0);
    auto* entry = reinterpret_cast<hostent*>(buffer);
    EXPECT_EQ(entry->h_addrtype, AF_INET);
    EXPECT_EQ(*reinterpret_cast<std::uint32_t*>(entry->h_addr_list[0]), inet_addr("127.0.0.1"));
    EXPECT_EQ(WSACancelAsyncRequest(request), SOCKET_ERROR) << "already delivered";

    HANDLE failing = WSAAsyncGetHostByName(window, kLookup, "bad..name", buffer, sizeof buffer);
    ASSERT_TRUE(PumpUntil([&] { return replies.size() == 2; }));
    EXPECT_EQ(replies[1].WParam, failing);
    EXPECT_EQ(WSAGETASYNCERROR(replies[1].LParam), WSAHOST_NOT_FOUND);

    HANDLE cancelled = WSAAsyncGetHostByName(window, kLookup, "localhost", buffer, sizeof buffer);
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // answered, not yet delivered
    EXPECT_EQ(WSACancelAsyncRequest(cancelled), 0);
    Pump(100);
    EXPECT_EQ(replies.size(), 2u);
}

} // namespace winsock
