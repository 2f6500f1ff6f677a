#include "net/SendBuf.h"
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
