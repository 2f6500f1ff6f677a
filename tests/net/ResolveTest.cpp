#include "net/Resolve.h"
#include "net/SocketErrors.h"
#include "net/WinsockBinding.h"
#include <arpa/inet.h>
#include "SocketErrorMessage.h"
#include <gtest/gtest.h>

TEST(Resolve, DottedAddressesAreRecognisedStrictly)
{
    EXPECT_TRUE(AsyncSocketIsDottedIP("192.168.1.1"));
    EXPECT_TRUE(AsyncSocketIsDottedIP("  1.2.3.4  "));
    EXPECT_TRUE(AsyncSocketIsDottedIP("255.255.255.255"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1.2.3"));
    EXPECT_FALSE(AsyncSocketIsDottedIP(".1.2.3"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1.2.3.256"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1.2.3.4.5"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1..2.3"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1.2.3.4x"));
    EXPECT_FALSE(AsyncSocketIsDottedIP(""));
}

TEST(Resolve, AtoiReadsLeadingDigitsOnly)
{
    // A literal would pick the C library's atoi: pass AnsiString.
    EXPECT_EQ(atoi(AnsiString("  80abc")), 80);
    EXPECT_EQ(atoi(AnsiString("-5")), 0);
    EXPECT_EQ(atoi(AnsiString("")), 0);
    EXPECT_EQ(atoi(AnsiString("99999999999999")), 2147483647);
    // '0' and '9' are digits, the bytes beside them are not.
    EXPECT_EQ(atoi(AnsiString("909:1")), 909);
    EXPECT_EQ(atoi(AnsiString("90/1")), 90);
    EXPECT_TRUE(AsyncSocketIsDottedIP("9.0.9.0"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1.2.3.:"));
    EXPECT_FALSE(AsyncSocketIsDottedIP("1.2.3./"));
}

TEST(Resolve, NamesAreTakenUpToTheirLengthLimitsExactly)
{
    // A port or protocol of 31 bytes is read, one of 32 is refused.
    EXPECT_EQ(AsyncSocketResolvePort(std::string(29, '0') + "80", "tcp"), 80);
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort(std::string(30, '0') + "80", "tcp"); }),
              "AsyncSocketResolvePort: Invalid Port.");
    EXPECT_EQ(AsyncSocketResolvePort("80", "tcp" + std::string(28, ' ')), 80);
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort("80", "tcp" + std::string(29, ' ')); }),
              "AsyncSocketResolvePort: Invalid Proto.");
    EXPECT_EQ(AsyncSocketResolveProto(std::string(29, '0') + "17"), 17);
    EXPECT_EQ(MessageOf([] { AsyncSocketResolveProto(std::string(30, '0') + "17"); }),
              "AsyncSocketResolveProto: Invalid Protocol.");
    // A host name of 256 bytes is read, one of 257 is refused.
    const std::string address = std::string(247, ' ') + "127.0.0.1";
    ASSERT_EQ(address.size(), 256u);
    EXPECT_EQ(AsyncSocketResolveHost(address), inet_addr("127.0.0.1"));
    EXPECT_EQ(MessageOf([&] { AsyncSocketResolveHost(" " + address); }),
              "AsyncSocketResolveHost: ' " + address + "' Invalid Hostname.");
}

TEST(Resolve, PortsByNumberAndByServiceName)
{
    EXPECT_EQ(AsyncSocketResolvePort("80", "tcp"), 80);
    EXPECT_EQ(AsyncSocketResolvePort("65535", "tcp"), 65535);
    EXPECT_EQ(AsyncSocketResolvePort("http", "tcp"), 80);
    EXPECT_EQ(AsyncSocketResolvePort(" http ", " tcp "), 80);
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort("", "tcp"); }), "AsyncSocketResolvePort: Invalid Port.");
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort("80", ""); }), "AsyncSocketResolvePort: Invalid Proto.");
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort("no-such-service", "tcp"); }),
              "AsyncSocketResolvePort: Cannot convert port 'no-such-service', Error #11004");
}

TEST(Resolve, APortBeyond65535IsRefusedNotWrapped)
{
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort("65536", "tcp"); }),
              "AsyncSocketResolvePort: Cannot convert port '65536', Error #10022");
    EXPECT_EQ(MessageOf([] { AsyncSocketResolvePort("65616", "tcp"); }),
              "AsyncSocketResolvePort: Cannot convert port '65616', Error #10022");
}

TEST(Resolve, Protocols)
{
    EXPECT_EQ(AsyncSocketResolveProto("tcp"), 6);
    EXPECT_EQ(AsyncSocketResolveProto("udp"), 17);
    EXPECT_EQ(AsyncSocketResolveProto("17"), 17);
    EXPECT_EQ(MessageOf([] { AsyncSocketResolveProto(""); }), "AsyncSocketResolveProto: Invalid Protocol.");
    EXPECT_EQ(MessageOf([] { AsyncSocketResolveProto("nonsense"); }),
              "AsyncSocketResolveProto: Cannot convert protocol 'nonsense', Error #11004");
}

TEST(Resolve, Hosts)
{
    EXPECT_EQ(AsyncSocketResolveHost("127.0.0.1"), inet_addr("127.0.0.1"));
    EXPECT_EQ(AsyncSocketResolveHost(" 10.0.0.1 "), inet_addr("10.0.0.1"));
    EXPECT_EQ(AsyncSocketResolveHost("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(AsyncSocketResolveHost("localhost"), inet_addr("127.0.0.1"));
    EXPECT_EQ(MessageOf([] { AsyncSocketResolveHost(""); }), "AsyncSocketResolveHost: '' Invalid Hostname.");
    EXPECT_EQ(MessageOf([] { AsyncSocketResolveHost(std::string(257, 'a')); }),
              "AsyncSocketResolveHost: '" + std::string(257, 'a') + "' Invalid Hostname.");
    // A malformed name fails inside the resolver without asking any server.
    EXPECT_EQ(MessageOf([] { AsyncSocketResolveHost("bad..name"); }),
              "AsyncSocketResolveHost: Cannot convert host address 'bad..name', Error #11001");
}
