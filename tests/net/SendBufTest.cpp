#include "net/SendBuf.h"
#include "net/SocketErrors.h"
#include <gtest/gtest.h>
#include <string>

TEST(SendBuf, SizeZeroOrNegativeMeansAnEthernetFrame)
{
    EXPECT_EQ(TBuffer(0).Capacity(), 1514);
    EXPECT_EQ(TBuffer(-5).Capacity(), 1514);
    EXPECT_EQ(TBuffer(10).Capacity(), 10);
}

TEST(SendBuf, WriteTakesOnlyTheFreeSpace)
{
    TBuffer buffer(8);
    EXPECT_EQ(buffer.Write("abcde", 5), 5);
    EXPECT_EQ(buffer.Write("fghijk", 6), 3);
    EXPECT_EQ(buffer.Write("x", 1), 0);
    int length = 0;
    const char* data = buffer.Peek(length);
    ASSERT_EQ(length, 8);
    EXPECT_EQ(std::string(data, 8), "abcdefgh");
}

TEST(SendBuf, RemovingEverythingStartsTheBlockOver)
{
    TBuffer buffer(8);
    buffer.Write("abcdef", 6);
    EXPECT_EQ(buffer.Remove(2), 2);
    int length = 0;
    EXPECT_EQ(std::string(buffer.Peek(length), 4), "cdef");
    EXPECT_EQ(buffer.Remove(3), 3); // all but the last byte, which stays
    const char* last = buffer.Peek(length);
    ASSERT_EQ(length, 1);
    EXPECT_EQ(*last, 'f');
    EXPECT_EQ(buffer.Remove(100), 1); // only what is unread
    EXPECT_EQ(buffer.Peek(length), nullptr);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(buffer.Remove(1), 0);
    EXPECT_EQ(buffer.Write("12345678", 8), 8); // the whole block again, from offset 0
    EXPECT_EQ(buffer.WritePos(), 8);
}

TEST(SendBuf, ShrinkingBelowTheWrittenBytesKeepsThem)
{
    TBuffer buffer(16);
    buffer.Write("0123456789", 10);
    buffer.Remove(3);
    buffer.SetBufSize(4);
    EXPECT_EQ(buffer.Capacity(), 10);
    int length = 0;
    EXPECT_EQ(std::string(buffer.Peek(length), 7), "3456789");
    buffer.SetBufSize(32);
    EXPECT_EQ(buffer.Capacity(), 32);
    EXPECT_EQ(std::string(buffer.Peek(length), 7), "3456789");
    EXPECT_EQ(buffer.Write("ab", 2), 2);
    EXPECT_EQ(std::string(buffer.Peek(length), 9), "3456789ab");
}

TEST(SocketErrorText, KnownCodesAndTheRest)
{
    EXPECT_EQ(AsyncSocketErrorDesc(0), "No Error");
    EXPECT_EQ(AsyncSocketErrorDesc(10035), "Operation would block");
    EXPECT_EQ(AsyncSocketErrorDesc(10061), "Connection refused");
    EXPECT_EQ(AsyncSocketErrorDesc(11001), "Host not found");
    EXPECT_EQ(AsyncSocketErrorDesc(10100), "Not a WinSock error");
    EXPECT_EQ(AsyncSocketErrorDesc(-1), "Not a WinSock error");
}

// Every code of the fixed mapping, and the codes between them, which have no text of their own:
// these texts reach the user in the download's error messages.
TEST(SocketErrorTexts, EveryCodeOfTheMappingAndNoneBeside)
{
    struct Known {
        int code;
        const char* text;
    };
    const Known known[] = {
        {0, "No Error"},
        {10004, "Interrupted system call"},
        {10009, "Bad file number"},
        {10013, "Permission denied"},
        {10014, "Bad address"},
        {10022, "Invalid argument"},
        {10024, "Too many open files"},
        {10035, "Operation would block"},
        {10036, "Operation now in progress"},
        {10037, "Operation already in progress"},
        {10038, "Socket operation on non-socket"},
        {10039, "Destination address required"},
        {10040, "Message too long"},
        {10041, "Protocol wrong type for socket"},
        {10042, "Protocol not available"},
        {10043, "Protocol not supported"},
        {10044, "Socket type not supported"},
        {10045, "Operation not supported on socket"},
        {10046, "Protocol family not supported"},
        {10047, "Address family not supported by protocol family"},
        {10048, "Address already in use"},
        {10049, "Address not available"},
        {10050, "Network is down"},
        {10051, "Network is unreachable"},
        {10052, "Network dropped connection on reset"},
        {10053, "Connection aborted"},
        {10054, "Connection reset by peer"},
        {10055, "No buffer space available"},
        {10056, "Socket is already connected"},
        {10057, "Socket is not connected"},
        {10058, "Can't send after socket shutdown"},
        {10059, "Too many references: can't splice"},
        {10060, "Connection timed out"},
        {10061, "Connection refused"},
        {10062, "Too many levels of symbolic links"},
        {10063, "File name too long"},
        {10064, "Host is down"},
        {10065, "No route to host"},
        {10066, "Directory not empty"},
        {10067, "Too many processes"},
        {10068, "Too many users"},
        {10069, "Disc quota exceeded"},
        {10070, "Stale NFS file handle"},
        {10071, "Too many levels of remote in path"},
        {10091, "Network sub-system is unusable"},
        {10092, "WinSock DLL cannot support this application"},
        {10093, "WinSock not initialized"},
        {11001, "Host not found"},
        {11002, "Non-authoritative host not found"},
        {11003, "Non-recoverable error"},
        {11004, "No Data"},
    };
    for (const Known& entry : known)
        EXPECT_EQ(AsyncSocketErrorDesc(entry.code), entry.text) << entry.code;
    for (int code : {1, 9999, 10001, 10003, 10005, 10072, 10090, 10094, 11000, 11005})
        EXPECT_EQ(AsyncSocketErrorDesc(code), "Not a WinSock error") << code;
}
