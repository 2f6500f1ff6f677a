// Listening, accepting and datagrams, with both ends made of the component.
#include "SocketErrorMessage.h"
#include "SocketFixture.h"
#include <arpa/inet.h>
#include <memory>

namespace {
using SocketPtr = std::unique_ptr<TAsyncSocket>;
SocketPtr NewSocket() { return SocketPtr(TAsyncSocket::Create(nullptr)); }
} // namespace

class Server : public SocketTest {};

TEST_F(Server, ListensOnAChosenPortAcceptsAndTalks)
{
    auto listener = NewSocket();
    listener->SetAddr("127.0.0.1");
    listener->SetPort("0");
    listener->Listen();
    ASSERT_EQ(listener->State(), wsListening);
    const AnsiString port = listener->GetXPort();
    ASSERT_NE(port, "error");
    ASSERT_NE(port, "0");
    EXPECT_EQ(listener->GetXAddr(), "127.0.0.1");

    auto served = NewSocket();
    std::string serverGot;
    served->OnDataAvailable = [&](TObject*, std::uint16_t) {
        serverGot += served->ReceiveStr();
        if (serverGot == "ping")
            served->SendStr("pong");
    };
    listener->OnSessionAvailable = [&](TObject*, std::uint16_t error) {
        EXPECT_EQ(error, 0);
        served->Dup(listener->Accept());
    };

    auto client = NewSocket();
    std::string clientGot;
    client->OnSessionConnected = [&](TObject*, std::uint16_t) { client->SendStr("ping"); };
    client->OnDataAvailable = [&](TObject*, std::uint16_t) { clientGot += client->ReceiveStr(); };
    client->SetAddr("127.0.0.1");
    client->SetPort(port);
    client->Connect();
    ASSERT_TRUE(PumpUntil([&] { return clientGot == "pong"; }));
    EXPECT_EQ(served->State(), wsConnected);
    EXPECT_EQ(served->PeerAddr(), "127.0.0.1");
    EXPECT_EQ(served->PeerPort(), client->GetXPort());

    bool clientClosed = false;
    client->OnSessionClosed = [&](TObject*, std::uint16_t) { clientClosed = true; };
    served->Close();
    ASSERT_TRUE(PumpUntil([&] { return clientClosed; }));
}

TEST_F(Server, AcceptOnASocketThatDoesNotListenIsRefused)
{
    auto s = NewSocket();
    EXPECT_EQ(MessageOf([&] { s->Accept(); }), "Error 10022 in function not a listening socket\r\nInvalid argument");
    EXPECT_THROW(s->Listen(), ESocketException); // no port given
}

TEST_F(Server, DatagramsGoBothWays)
{
    auto receiver = NewSocket();
    receiver->SetProto("udp");
    receiver->SetAddr("127.0.0.1");
    receiver->SetPort("0");
    bool receiverUp = false;
    receiver->OnSessionConnected = [&](TObject*, std::uint16_t) { receiverUp = true; };
    std::string got;
    AnsiString from;
    receiver->OnDataAvailable = [&](TObject*, std::uint16_t) {
        char buffer[512];
        sockaddr_in source {};
        int length = sizeof source;
        int n = receiver->ReceiveFrom(buffer, sizeof buffer, source, length);
        if (n > 0) {
            got.assign(buffer, static_cast<std::size_t>(n));
            from = inet_ntoa(source.sin_addr);
            receiver->SendTo(source, length, "reply", 5);
        }
    };
    receiver->Listen();
    EXPECT_TRUE(receiverUp);
    EXPECT_EQ(receiver->State(), wsConnected);
    const AnsiString port = receiver->GetXPort();

    auto sender = NewSocket();
    sender->SetProto("udp");
    sender->SetAddr("127.0.0.1");
    sender->SetPort(port);
    std::string reply;
    sender->OnDataAvailable = [&](TObject*, std::uint16_t) { reply += sender->ReceiveStr(); };
    sender->Connect();
    EXPECT_EQ(sender->State(), wsConnected);
    EXPECT_EQ(sender->SendStr("datagram"), 8);
    ASSERT_TRUE(PumpUntil([&] { return !reply.empty(); }));
    EXPECT_EQ(got, "datagram");
    EXPECT_EQ(from, "127.0.0.1");
    EXPECT_EQ(reply, "reply");
}
