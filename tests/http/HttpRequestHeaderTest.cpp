#include "net/HttpDate.h"
#include "net/HttpEncoding.h"
#include "net/HttpRequestHeader.h"
#include "platform/core/DateTime.h"
#include <gtest/gtest.h>

namespace {

AnsiString Joined(const std::vector<AnsiString>& lines)
{
    AnsiString all;
    for (const auto& line : lines)
        all += line + "\r\n";
    return all;
}

} // namespace

TEST(RequestHeaderLines, OptionalLinesAndTheAlwaysPresentHost)
{
    HttpRequestHeaderFields f;
    f.Method = "HEAD";
    f.RequestPath = "/";
    auto bare = RequestHeaderLines(f);
    ASSERT_EQ(bare.size(), 2u);
    EXPECT_EQ(bare[1], "Host: "); // even empty

    f.Sender = "me@example.com";
    f.ContentTypePost = "text/plain"; // not a POST: no Content-Type, no Content-Length
    f.Username = "u";
    f.ProxyUsername = "pu";
    f.ProxyPassword = "pp";
    f.Cookie = "a=b";
    f.ContentRangeBegin = "100";
    auto lines = RequestHeaderLines(f);
    EXPECT_EQ(Joined(lines), "HEAD / HTTP/1.0\r\n"
                             "From: me@example.com\r\n"
                             "Host: \r\n"
                             "Authorization: Basic dTo=\r\n"
                             "Cookie: a=b\r\n"
                             "Range: bytes=100-\r\n");
    f.UsingProxy = true;
    lines = RequestHeaderLines(f);
    EXPECT_EQ(lines[4], "Proxy-Authorization: Basic cHU6cHA=");
}

TEST(Encoding, Base64AndUuencode)
{
    EXPECT_EQ(EncodeStr(1, ""), "");
    EXPECT_EQ(EncodeStr(1, "f"), "Zg==");
    EXPECT_EQ(EncodeStr(1, "fo"), "Zm8=");
    EXPECT_EQ(EncodeStr(1, "foo"), "Zm9v");
    EXPECT_EQ(EncodeStr(2, "Aladdin:open sesame"), "QWxhZGRpbjpvcGVuIHNlc2FtZQ==");
    EXPECT_EQ(EncodeStr(1, AnsiString("\xFF\x00\xFE", 3)), "/wD+");
    EXPECT_EQ(EncodeStr(1, "ä"_a), "5A==");
    // uuencode: length character, then four characters per group of three, zero as '`'.
    EXPECT_EQ(EncodeStr(0, "Cat"), "#0V%T");
    EXPECT_EQ(EncodeStr(0, AnsiString("\0\0\0", 3)), "#````");
    EXPECT_EQ(EncodeStr(0, "a"), "!80``");
}

// Every sextet value in order: 48 bytes whose 64 six-bit groups count from 0 to 63 give the
// whole alphabet of each encoding.
TEST(Encoding, EverySixBitValueHasItsCharacter)
{
    AnsiString counting;
    for (int group = 0; group < 64; group += 4) {
        const unsigned bits = (group << 18) | ((group + 1) << 12) | ((group + 2) << 6) | (group + 3);
        counting += static_cast<char>(bits >> 16);
        counting += static_cast<char>((bits >> 8) & 0xFF);
        counting += static_cast<char>(bits & 0xFF);
    }
    ASSERT_EQ(counting.size(), 48u);
    EXPECT_EQ(EncodeStr(1, counting), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
    // uuencode: the length (48 + 32, 'P'), then 32 + each value, zero written as '`'.
    EXPECT_EQ(EncodeStr(0, counting), "P`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_");
}

// Seven days in a row from Monday 5 January 2026 and the first of every month name their
// weekday and month in the three letters of the HTTP date.
TEST(RFC1123_Date, EveryWeekdayAndMonthHasItsName)
{
    const char* weekdays[] = {"Mon, 05 Jan", "Tue, 06 Jan", "Wed, 07 Jan", "Thu, 08 Jan",
                              "Fri, 09 Jan", "Sat, 10 Jan", "Sun, 11 Jan"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(RFC1123_Date(EncodeDate(2026, 1, 5 + day)), AnsiString(weekdays[day]) + " 2026 00:00:00");
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(RFC1123_Date(EncodeDate(2026, month, 15)).substr(8, 8), AnsiString(months[month - 1]) + " 2026")
            << "month " << month;
}

TEST(RFC1123_Date, WeekdayMonthAndTimeWithoutConversion)
{
    EXPECT_EQ(RFC1123_Date(29585), "Tue, 30 Dec 1980 00:00:00");
    EXPECT_EQ(RFC1123_Date(EncodeDate(2026, 2, 11) + EncodeTime(9, 5, 7, 0)), "Wed, 11 Feb 2026 09:05:07");
    EXPECT_EQ(RFC1123_Date(EncodeDate(2024, 2, 29)), "Thu, 29 Feb 2024 00:00:00");
    // Days before 30.12.1899 are negative: still a real weekday (29.12.1899 was a Friday).
    EXPECT_EQ(RFC1123_Date(-1), "Fri, 29 Dec 1899 00:00:00");
    EXPECT_EQ(RFC1123_Date(-7), "Sat, 23 Dec 1899 00:00:00");
}
