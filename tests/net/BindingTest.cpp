#include "net/SocketErrors.h"
#include "net/WinsockBinding.h"
#include "SocketErrorMessage.h"
#include "SocketFixture.h"
#include <arpa/inet.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The socket descriptors this process holds, as the kernel lists them.
int OpenSocketDescriptors()
{
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code ignored;
        count += std::filesystem::read_symlink(entry.path(), ignored).string().rfind("socket:", 0) == 0;
    }
    return count;
}

using SocketPtr = std::unique_ptr<TAsyncSocket>;

SocketPtr NewListener()
{
    SocketPtr socket(TAsyncSocket::Create(nullptr));
    socket->SetAddr("127.0.0.1");
    socket->SetPort("0");
    socket->Listen();
    return socket;
}

// Whether a plain connection to the listener's port is taken (the kernel's backlog takes it
// without an accept).
bool TakesConnections(TAsyncSocket& listener)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(listener.GetXPort())));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool taken = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return taken;
}

} // namespace

TEST(Binding, LoadsOnFirstUseAndAgainAfterUnloading)
{
    AsyncSocketUnloadWinsock();
    EXPECT_FALSE(AsyncSocketWinsockLoaded());
    // Unloaded means the library is cleaned up: a direct call says so.
    EXPECT_EQ(winsock::socket(AF_INET, SOCK_STREAM, 0), winsock::INVALID_SOCKET);
    EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSANOTINITIALISED);

    SOCKET s = AsyncSocket_socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_TRUE(AsyncSocketWinsockLoaded());
    ASSERT_NE(s, winsock::INVALID_SOCKET);
    EXPECT_EQ(AsyncSocket_closesocket(s), 0);

    AsyncSocketUnloadWinsock();
    EXPECT_FALSE(AsyncSocketWinsockLoaded());
    SOCKET again = AsyncSocket_socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_NE(again, winsock::INVALID_SOCKET);
    EXPECT_NE(again, s) << "handles are never reused";
    AsyncSocket_closesocket(again);
    AsyncSocketUnloadWinsock();
}

TEST(Binding, UnloadingClosesWhatIsStillOpen)
{
    const int before = OpenSocketDescriptors();
    SOCKET s = AsyncSocket_socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, winsock::INVALID_SOCKET);
    EXPECT_EQ(OpenSocketDescriptors(), before + 1);
    AsyncSocketUnloadWinsock();
    EXPECT_EQ(OpenSocketDescriptors(), before);
    EXPECT_EQ(AsyncSocket_closesocket(s), winsock::SOCKET_ERROR) << "the loaded library again knows no such socket";
    EXPECT_EQ(AsyncSocket_WSAGetLastError(), winsock::WSAENOTSOCK);
    AsyncSocketUnloadWinsock();
}

TEST(Binding, UnknownProcedureNamesTheLibrary)
{
    EXPECT_EQ(MessageOf([&] { AsyncSocketGetProc("WSAFrobnicate"); }), "Procedure WSAFrobnicate not found in wsock32.dll Error #127");
    EXPECT_EQ(AsyncSocketGetProc(""), nullptr);
    AsyncSocketUnloadWinsock();
}

class SocketObjects : public SocketTest {};

// The library stays while any socket object lives: unloading closes every socket of the process.
TEST_F(SocketObjects, TheLastToGoUnloadsTheLibraryAndTheNextLoadsItAgain)
{
    AsyncSocketUnloadWinsock();
    SocketPtr first = NewListener();
    SocketPtr second = NewListener();
    ASSERT_TRUE(AsyncSocketWinsockLoaded());

    first.reset();
    EXPECT_TRUE(AsyncSocketWinsockLoaded()) << "one socket object is left";
    EXPECT_TRUE(TakesConnections(*second)) << "the one left still listens";

    second.reset();
    EXPECT_FALSE(AsyncSocketWinsockLoaded()) << "the last socket object went";
    EXPECT_EQ(winsock::socket(AF_INET, SOCK_STREAM, 0), winsock::INVALID_SOCKET);
    EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSANOTINITIALISED);

    SocketPtr next;
    EXPECT_EQ(MessageOf([&] { next = NewListener(); }), "(no exception)") << "the next socket object loads the library again";
    EXPECT_TRUE(AsyncSocketWinsockLoaded());
    ASSERT_TRUE(next);
    EXPECT_TRUE(TakesConnections(*next));
}
