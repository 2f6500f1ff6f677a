#include "net/SocketErrors.h"
#include "net/WinsockBinding.h"
#include "SocketErrorMessage.h"
#include <gtest/gtest.h>

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
    SOCKET s = AsyncSocket_socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, winsock::INVALID_SOCKET);
    EXPECT_GE(winsock::OpenSocketCount(), 1);
    AsyncSocketUnloadWinsock();
    EXPECT_EQ(winsock::OpenSocketCount(), 0);
}

TEST(Binding, UnknownProcedureNamesTheLibrary)
{
    EXPECT_EQ(MessageOf([&] { AsyncSocketGetProc("WSAFrobnicate"); }), "Procedure WSAFrobnicate not found in wsock32.dll Error #127");
    EXPECT_EQ(AsyncSocketGetProc(""), nullptr);
    AsyncSocketUnloadWinsock();
}
