// Listening, accepting and datagrams, with both ends made of the component.
#include "SocketErrorMessage.h"
#include "SocketFixture.h"
#include "platform/winsock/SocketTable.h"
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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
        const SOCKET accepted = listener->Accept();
        EXPECT_EQ(listener->AcceptedHandle(), accepted);
        served->Dup(accepted);
        EXPECT_EQ(served->HSocket(), accepted);
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

namespace {
// An option of the system socket behind a handle.
int OptionOf(SOCKET handle, int level, int name)
{
    int value = -1;
    socklen_t length = sizeof value;
    EXPECT_EQ(::getsockopt(winsock::detail::FindSocket(handle)->fd, level, name, &value, &length), 0);
    return value;
}
// Whether the system lets a socket join a group at all: a host without a multicast route
// refuses every join, whatever the program asks.
bool SystemJoinsGroups()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    ip_mreq group {};
    group.imr_multiaddr.s_addr = ::inet_addr("239.1.2.3");
    group.imr_interface.s_addr = htonl(INADDR_ANY);
    const bool joined = fd >= 0 && ::setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &group, sizeof group) == 0;
    if (fd >= 0)
        ::close(fd);
    return joined;
}
} // namespace

// ReuseAddr lets datagram sockets share a port; MultiCast with its address and hop limit puts
// the socket in the group and gives what it sends that many hops.
TEST_F(Server, DatagramSocketsShareAPortOrJoinAGroupWhenTold)
{
    auto first = NewSocket();
    EXPECT_FALSE(first->ReuseAddr());
    first->SetReuseAddr(true);
    EXPECT_TRUE(first->ReuseAddr());
    first->SetProto("udp");
    first->SetAddr("127.0.0.1");
    first->SetPort("0");
    first->Listen();
    ASSERT_EQ(first->State(), wsConnected);
    EXPECT_NE(OptionOf(first->HSocket(), SOL_SOCKET, SO_REUSEADDR), 0);
    const AnsiString port = first->GetXPort();

    auto sharing = NewSocket();
    sharing->SetReuseAddr(true);
    sharing->SetProto("udp");
    sharing->SetAddr("127.0.0.1");
    sharing->SetPort(port);
    sharing->Listen();
    EXPECT_EQ(sharing->State(), wsConnected);
    auto refused = NewSocket();
    refused->SetProto("udp");
    refused->SetAddr("127.0.0.1");
    refused->SetPort(port);
    EXPECT_THROW(refused->Listen(), ESocketException) << "without ReuseAddr the port is taken";
    EXPECT_EQ(refused->State(), wsClosed);

    if (!SystemJoinsGroups())
        GTEST_SKIP() << "this host has no route for multicast groups";
    auto member = NewSocket();
    EXPECT_FALSE(member->MultiCast());
    member->SetMultiCast(true);
    member->SetMultiCastAddrStr("239.1.2.3");
    EXPECT_EQ(member->MultiCastAddrStr(), "239.1.2.3");
    member->SetProto("udp");
    member->SetAddr("0.0.0.0");
    member->SetPort("0");
    member->Listen();
    EXPECT_EQ(member->State(), wsConnected) << "joined the group";

    auto sender = NewSocket();
    EXPECT_EQ(sender->MultiCastIpTTL(), 1);
    sender->SetProto("udp");
    sender->SetAddr("239.1.2.3");
    sender->SetPort(port);
    sender->SetMultiCast(true);
    sender->SetMultiCastIpTTL(5);
    EXPECT_EQ(sender->MultiCastIpTTL(), 5);
    sender->Connect();
    ASSERT_EQ(sender->State(), wsConnected);
    EXPECT_EQ(OptionOf(sender->HSocket(), IPPROTO_IP, IP_MULTICAST_TTL), 5);
}
