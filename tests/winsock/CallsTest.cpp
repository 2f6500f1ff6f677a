// The binding's plain calls: start-up, handles, errors, options and the databases.
#include "../net/LocalPeer.h"
#include "platform/winsock/SocketTable.h"
#include "platform/winsock/Winsock.h"
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>

// Inside the namespace, the binding's names hide the C library's.
namespace winsock {

namespace {

class Started : public ::testing::Test {
protected:
    Started() { WSAStartup(0x0101, &data); }
    ~Started() override { WSACleanup(); }
    WSADATA data;
};

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    return a;
}

} // namespace

TEST(Startup, NothingWorksBeforeItAndOldVersionsAreRefused)
{
    EXPECT_EQ(winsock::socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    WSADATA data;
    EXPECT_EQ(WSAStartup(0x0001, &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(WSAStartup(0x0101, &data), 0);
    EXPECT_EQ(data.wVersion, 0x0101);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST_F(Started, HandlesAreNeverReusedEvenWhenDescriptorsAre)
{
    SOCKET first = winsock::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_NE(first, INVALID_SOCKET);
    EXPECT_EQ(closesocket(first), 0);
    SOCKET second = winsock::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(second, first);
    EXPECT_EQ(closesocket(first), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    u_long waiting = 0;
    EXPECT_EQ(ioctlsocket(first, WS_FIONREAD, &waiting), SOCKET_ERROR);
    EXPECT_EQ(closesocket(second), 0);
}

TEST_F(Started, ARefusedBlockingConnectMapsTo10061)
{
    SOCKET s = winsock::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in target = Loopback(peer::ClosedPort());
    EXPECT_EQ(connect(s, reinterpret_cast<sockaddr*>(&target), sizeof target), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
    closesocket(s);
}

TEST_F(Started, SendingToAPeerThatResetIsAnErrorNotASignal)
{
    peer::Server server([](int& fd) { peer::Reset(fd); });
    SOCKET s = winsock::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in target = Loopback(server.Port());
    ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&target), sizeof target), 0);
    char byte;
    recv(s, &byte, 1, 0); // waits for the reset
    int result = 0;
    for (int i = 0; i < 5 && result >= 0; ++i)
        result = send(s, "x", 1, 0);
    EXPECT_EQ(result, SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    closesocket(s);
}

TEST_F(Started, OptionsUseTheLibraryNumbers)
{
    SOCKET s = winsock::socket(AF_INET, SOCK_STREAM, 0);
    int on = -1;
    EXPECT_EQ(setsockopt(s, WS_SOL_SOCKET, WS_SO_REUSEADDR, reinterpret_cast<char*>(&on), sizeof on), 0);
    EXPECT_EQ(setsockopt(s, IPPROTO_TCP, WS_TCP_NODELAY, reinterpret_cast<char*>(&on), sizeof on), 0);
    winsock::linger hard {1, 0};
    EXPECT_EQ(setsockopt(s, WS_SOL_SOCKET, WS_SO_LINGER, reinterpret_cast<char*>(&hard), sizeof hard), 0);
    EXPECT_EQ(setsockopt(s, WS_SOL_SOCKET, 0x7777, reinterpret_cast<char*>(&on), sizeof on), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOPROTOOPT);
    u_long nonBlocking = 1;
    EXPECT_EQ(ioctlsocket(s, WS_FIONBIO, &nonBlocking), 0);
    closesocket(s);
}

// Each option number of the 1.1 library reaches the system's option of the same meaning: what
// the call set is what the descriptor reports.
TEST_F(Started, EveryOptionNumberReachesItsSystemOption)
{
    SOCKET stream = winsock::socket(AF_INET, SOCK_STREAM, 0);
    SOCKET datagram = winsock::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(stream, INVALID_SOCKET);
    ASSERT_NE(datagram, INVALID_SOCKET);
    const int streamFd = detail::FindSocket(stream)->fd;
    const int datagramFd = detail::FindSocket(datagram)->fd;
    const auto native = [](int fd, int level, int name) {
        int value = -1;
        socklen_t length = sizeof value;
        EXPECT_EQ(::getsockopt(fd, level, name, &value, &length), 0) << level << "/" << name;
        return value;
    };
    const auto set = [](SOCKET s, int level, int name, int value) {
        return setsockopt(s, level, name, reinterpret_cast<char*>(&value), sizeof value);
    };
    struct Flag {
        int level, name;
        int nativeLevel, nativeName;
    };
    const Flag flags[] = {
        {0xFFFF, 0x0004, SOL_SOCKET, SO_REUSEADDR}, {0xFFFF, 0x0008, SOL_SOCKET, SO_KEEPALIVE},
        {0xFFFF, 0x0010, SOL_SOCKET, SO_DONTROUTE}, {0xFFFF, 0x0020, SOL_SOCKET, SO_BROADCAST},
        {0xFFFF, 0x0100, SOL_SOCKET, SO_OOBINLINE}, {6, 0x0001, IPPROTO_TCP, TCP_NODELAY},
    };
    for (const Flag& flag : flags) {
        EXPECT_EQ(native(streamFd, flag.nativeLevel, flag.nativeName), 0) << flag.name;
        EXPECT_EQ(set(stream, flag.level, flag.name, 1), 0) << flag.name;
        EXPECT_NE(native(streamFd, flag.nativeLevel, flag.nativeName), 0) << flag.name;
    }
    // Debugging needs a privilege; where the call is allowed, the system's flag is on.
    if (set(stream, 0xFFFF, 0x0001, 1) == 0)
        EXPECT_NE(native(streamFd, SOL_SOCKET, SO_DEBUG), 0);
    else
        EXPECT_EQ(WSAGetLastError(), WSAEACCES);
    // The system keeps twice the size asked for.
    EXPECT_EQ(set(stream, 0xFFFF, 0x1001, 6000), 0);
    EXPECT_EQ(native(streamFd, SOL_SOCKET, SO_SNDBUF), 12000);
    EXPECT_EQ(set(stream, 0xFFFF, 0x1002, 7000), 0);
    EXPECT_EQ(native(streamFd, SOL_SOCKET, SO_RCVBUF), 14000);
    winsock::linger words {1, 7};
    EXPECT_EQ(setsockopt(stream, 0xFFFF, 0x0080, reinterpret_cast<char*>(&words), sizeof words), 0);
    ::linger lingering {};
    socklen_t length = sizeof lingering;
    ASSERT_EQ(::getsockopt(streamFd, SOL_SOCKET, SO_LINGER, &lingering, &length), 0);
    EXPECT_EQ(lingering.l_onoff, 1);
    EXPECT_EQ(lingering.l_linger, 7);

    EXPECT_EQ(set(datagram, 0, 3, 5), 0);
    EXPECT_EQ(native(datagramFd, IPPROTO_IP, IP_MULTICAST_TTL), 5);
    EXPECT_EQ(set(datagram, 0, 4, 0), 0);
    EXPECT_EQ(native(datagramFd, IPPROTO_IP, IP_MULTICAST_LOOP), 0);
    in_addr loopback {};
    loopback.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(setsockopt(datagram, 0, 2, reinterpret_cast<char*>(&loopback), sizeof loopback), 0);
    in_addr chosen {};
    length = sizeof chosen;
    ASSERT_EQ(::getsockopt(datagramFd, IPPROTO_IP, IP_MULTICAST_IF, &chosen, &length), 0);
    EXPECT_EQ(chosen.s_addr, loopback.s_addr);
    // Leaving a group never joined is the system's "address not available"; joining a group
    // that is no multicast address is its "invalid argument".
    ip_mreq membership {};
    membership.imr_multiaddr.s_addr = htonl(0xEF010203); // 239.1.2.3
    membership.imr_interface.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(setsockopt(datagram, 0, 6, reinterpret_cast<char*>(&membership), sizeof membership), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), 10049);
    membership.imr_multiaddr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(setsockopt(datagram, 0, 5, reinterpret_cast<char*>(&membership), sizeof membership), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), 10022);
    closesocket(stream);
    closesocket(datagram);
}

// Every system error a call can meet, as the Windows Sockets number a program of the 1.1
// library expects; anything else is an invalid argument.
TEST(Errors, EverySystemErrorHasItsWindowsSocketsNumber)
{
    const std::pair<int, int> errors[] = {
        {0, 0},                 {EINTR, 10004},         {EBADF, 10038},         {EPERM, 10013},
        {EACCES, 10013},        {EFAULT, 10014},        {EINVAL, 10022},        {EMFILE, 10024},
        {ENFILE, 10024},        {EAGAIN, 10035},        {EINPROGRESS, 10035},   {EALREADY, 10037},
        {ENOTSOCK, 10038},      {EDESTADDRREQ, 10039},  {EMSGSIZE, 10040},      {EPROTOTYPE, 10041},
        {ENOPROTOOPT, 10042},   {EPROTONOSUPPORT, 10043}, {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},
        {EPFNOSUPPORT, 10046},  {EAFNOSUPPORT, 10047},  {EADDRINUSE, 10048},    {EADDRNOTAVAIL, 10049},
        {ENETDOWN, 10050},      {ENETUNREACH, 10051},   {ENETRESET, 10052},     {ECONNABORTED, 10053},
        {EPIPE, 10054},         {ECONNRESET, 10054},    {ENOMEM, 10055},        {ENOBUFS, 10055},
        {EISCONN, 10056},       {ENOTCONN, 10057},      {ESHUTDOWN, 10058},     {ETOOMANYREFS, 10059},
        {ETIMEDOUT, 10060},     {ECONNREFUSED, 10061},  {ELOOP, 10062},         {ENAMETOOLONG, 10063},
        {EHOSTDOWN, 10064},     {EHOSTUNREACH, 10065},  {ENOTEMPTY, 10066},     {EUSERS, 10068},
        {EDQUOT, 10069},        {ESTALE, 10070},        {EREMOTE, 10071},       {ENOENT, 10022},
        {EIO, 10022},
    };
    for (const auto& [error, expected] : errors)
        EXPECT_EQ(detail::MapErrno(error), expected) << "errno " << error;
}

TEST_F(Started, DatabasesAndAddressTexts)
{
    servent* http = getservbyname("http", "tcp");
    ASSERT_NE(http, nullptr);
    EXPECT_EQ(ntohs(static_cast<u_short>(http->s_port)), 80);
    protoent* udp = getprotobyname("udp");
    ASSERT_NE(udp, nullptr);
    EXPECT_EQ(udp->p_proto, 17);
    EXPECT_EQ(getservbyname("no-such-service", "tcp"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANO_DATA);
    hostent* local = gethostbyname("localhost");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(*reinterpret_cast<std::uint32_t*>(local->h_addr_list[0]), inet_addr("127.0.0.1"));
    EXPECT_EQ(gethostbyname("bad..name"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);

    in_addr a {};
    a.s_addr = static_cast<std::uint32_t>(inet_addr("010.1.1.1"));
    EXPECT_STREQ(inet_ntoa(a), "8.1.1.1");
    EXPECT_EQ(inet_addr("1.2.3.256"), WS_INADDR_NONE);
    EXPECT_EQ(inet_addr(""), WS_INADDR_NONE);
}

TEST_F(Started, DatagramsLongerThanTheBufferAreCutAndReported)
{
    SOCKET receiver = winsock::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in here = Loopback(0);
    ASSERT_EQ(bind(receiver, reinterpret_cast<sockaddr*>(&here), sizeof here), 0);
    int length = sizeof here;
    getsockname(receiver, reinterpret_cast<sockaddr*>(&here), &length);
    SOCKET sender = winsock::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_EQ(sendto(sender, "0123456789", 10, 0, reinterpret_cast<sockaddr*>(&here), sizeof here), 10);
    char buffer[4];
    EXPECT_EQ(recv(receiver, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEMSGSIZE);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    closesocket(sender);
    closesocket(receiver);
}

TEST_F(Started, SocketsAreClosedOnExec)
{
    SOCKET s = winsock::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    int sockets = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        auto target = std::filesystem::read_symlink(entry.path(), error);
        if (error || target.string().rfind("socket:", 0) != 0)
            continue;
        int fd = std::stoi(entry.path().filename().string());
        ++sockets;
        EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC) << "descriptor " << fd;
    }
    EXPECT_GE(sockets, 1);
    closesocket(s);
}

} // namespace winsock

namespace winsock {

// Every name a program looks up leads to the call of that name: a swapped entry would turn one
// byte-order conversion into another or a send into a sendto.
TEST(EntryPoints, EveryNameLeadsToItsOwnCall)
{
    auto entry = [](auto* function) { return reinterpret_cast<FARPROC>(function); };
    const std::pair<const char*, FARPROC> expected[] = {
        {"WSAStartup", entry(&WSAStartup)},
        {"WSACleanup", entry(&WSACleanup)},
        {"WSASetLastError", entry(&WSASetLastError)},
        {"WSAGetLastError", entry(&WSAGetLastError)},
        {"WSACancelAsyncRequest", entry(&WSACancelAsyncRequest)},
        {"WSAAsyncGetHostByName", entry(&WSAAsyncGetHostByName)},
        {"WSAAsyncGetHostByAddr", entry(&WSAAsyncGetHostByAddr)},
        {"WSAAsyncSelect", entry(&WSAAsyncSelect)},
        {"getservbyname", entry(&getservbyname)},
        {"getprotobyname", entry(&getprotobyname)},
        {"gethostbyname", entry(&gethostbyname)},
        {"socket", entry(&socket)},
        {"shutdown", entry(&shutdown)},
        {"setsockopt", entry(&setsockopt)},
        {"sendto", entry(&sendto)},
        {"send", entry(&send)},
        {"ntohs", entry(&ntohs)},
        {"listen", entry(&listen)},
        {"ioctlsocket", entry(&ioctlsocket)},
        {"inet_ntoa", entry(&inet_ntoa)},
        {"inet_addr", entry(&inet_addr)},
        {"htons", entry(&htons)},
        {"htonl", entry(&htonl)},
        {"getsockname", entry(&getsockname)},
        {"getpeername", entry(&getpeername)},
        {"connect", entry(&connect)},
        {"closesocket", entry(&closesocket)},
        {"bind", entry(&bind)},
        {"accept", entry(&accept)},
        {"recv", entry(&recv)},
        {"recvfrom", entry(&recvfrom)},
    };
    for (const auto& [name, function] : expected)
        EXPECT_EQ(GetProcAddress(name), function) << name;
    EXPECT_EQ(GetProcAddress("Send"), nullptr) << "names compare exactly";
    EXPECT_EQ(GetProcAddress("select"), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr), nullptr);
}

} // namespace winsock
