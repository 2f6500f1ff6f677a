#include "net/HttpHeaderFields.h"
#include "net/HttpResponseReader.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what the reader reports, in order, as short text events.
class Recorder : public HttpResponseListener {
public:
    Recorder() : reader(fields, *this) { reader.Start(); }

    void ResponseHeaderBegin() override { events.push_back("begin"); }
    void ResponseHeaderLine(const AnsiString& line, const AnsiString& name, const AnsiString& value) override
    {
        events.push_back("line:" + line);
        if (!name.empty())
            events.push_back("field:" + name + "=" + value);
        if (stopOnLine == line)
            reader.Stop();
    }
    bool ResponseHeaderComplete(bool headerless) override
    {
        events.push_back(headerless ? "end:headerless" : "end");
        return goOnWithBody;
    }
    void ResponseBody(const char* data, int length) override
    {
        chunks.emplace_back(data, static_cast<std::size_t>(length));
        body.append(data, static_cast<std::size_t>(length));
    }
    void ResponseFailed(std::uint16_t code, const AnsiString& reason) override
    {
        events.push_back("failed:" + std::to_string(code) + ":" + reason);
    }

    HttpResponseFields fields;
    HttpResponseReader reader;
    std::vector<std::string> events;
    std::vector<std::string> chunks;
    std::string body;
    bool goOnWithBody = true;
    AnsiString stopOnLine = "\x01";
};

} // namespace

TEST(ResponseReader, StatusLineFieldsAndBody)
{
    Recorder r;
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Length:    1234\r\nContent-Type: Text/HTML\r\n"
                        "Accept-Ranges: bytes\r\nX-Other: kept\r\nWWW-Authenticate: Basic\r\n"
                        "Content-Range: bytes 100-199/1000\r\n\r\nbody\r\nbytes";
    r.reader.Feed(reply.data(), reply.size());
    EXPECT_EQ(r.fields.StatusCode, 200);
    EXPECT_EQ(r.fields.ReasonPhrase, "OK");
    EXPECT_TRUE(r.fields.StatusSeen);
    EXPECT_EQ(r.fields.ContentLength, 1234);
    EXPECT_EQ(r.fields.ContentType, "text/html");
    EXPECT_EQ(r.fields.AcceptRanges, "bytes");
    ASSERT_EQ(r.fields.AuthenticateList.Count(), 1);
    EXPECT_EQ(r.fields.AuthenticateList[0], "Basic");
    ASSERT_EQ(r.fields.RcvdHeader.Count(), 7);
    EXPECT_EQ(r.fields.RcvdHeader[4], "X-Other: kept");
    EXPECT_EQ(r.events.front(), "begin");
    EXPECT_EQ(r.events[1], "line:HTTP/1.1 200 OK");
    EXPECT_EQ(r.events[2], "line:Content-Length:    1234");
    EXPECT_EQ(r.events[3], "field:content-length=1234");
    EXPECT_EQ(r.events.back(), "end");
    EXPECT_EQ(r.body, "body\r\nbytes");
    EXPECT_TRUE(r.reader.InBody());
    // Later reads are body as they come, line ends and all.
    r.reader.Feed("\nmore\r\n", 7);
    EXPECT_EQ(r.chunks.back(), "\nmore\r\n");
}

TEST(ResponseReader, LinesEndingInLfAloneAndSplitAcrossReads)
{
    Recorder r;
    std::string reply = "HTTP/1.0 404 Not Found\nContent-Length: 3\n\nabc";
    for (char c : reply)
        r.reader.Feed(&c, 1); // one byte per read
    EXPECT_EQ(r.fields.StatusCode, 404);
    EXPECT_EQ(r.fields.ReasonPhrase, "Not Found");
    EXPECT_EQ(r.fields.ContentLength, 3);
    EXPECT_EQ(r.body, "abc");
}

TEST(ResponseReader, ALineEndsOnlyAtLfAndLosesOneCrBeforeIt)
{
    Recorder r;
    std::string reply = "HTTP/1.0 200 OK\r\nX-A: 1\rX-B: 2\r\nX-C: 3\r\r\nX-D: 4\n\r\nbody";
    r.reader.Feed(reply.data(), reply.size());
    EXPECT_EQ(r.events, (std::vector<std::string>{"begin", "line:HTTP/1.0 200 OK", "line:X-A: 1\rX-B: 2",
                                                  "field:x-a=1\rX-B: 2", "line:X-C: 3\r", "field:x-c=3\r",
                                                  "line:X-D: 4", "field:x-d=4", "end"}));
    EXPECT_EQ(r.body, "body");
}

TEST(ResponseReader, AStatusCodeThatIsNoNumberIsIgnored)
{
    Recorder r;
    std::string reply = "HTTP/1.0 2x0 Odd\r\nHTTP/1.0 20\r\n\r\n";
    r.reader.Feed(reply.data(), reply.size());
    EXPECT_EQ(r.fields.StatusCode, 0);
    EXPECT_EQ(r.fields.ReasonPhrase, "");
    EXPECT_FALSE(r.fields.StatusSeen);
    EXPECT_EQ(r.fields.RcvdHeader.Count(), 2);
    EXPECT_EQ(r.events.back(), "end");
}

// A length that is not one plain decimal number, or two lengths that differ, leave the end of the
// body unknowable: the reply fails at that line and nothing of its body is handed on. Blanks
// around the number and a length repeated with the same value still tell the end.
TEST(ResponseReader, ALengthThatCannotBeTrustedFailsTheReply)
{
    const std::vector<std::string> untrusted = {
        "Content-Length: -5",  "Content-Length: -0",  "Content-Length: +5",   "Content-Length: 12abc",
        "Content-Length: $10", "Content-Length:",     "Content-Length: 5 5",  "Content-Length: 5, 5",
        "Content-Length: 0x10", "Content-Length: 1e3", "Content-Length: 1234567890123456789",
        "Content-Length: 5\r\nContent-Length: 6", "Content-Length: 5\r\nContent-Length: 05x"};
    for (const std::string& fields : untrusted) {
        Recorder r;
        std::string reply = "HTTP/1.1 200 OK\r\n" + fields + "\r\nX-After: 1\r\n\r\nabcdef";
        r.reader.Feed(reply.data(), reply.size());
        EXPECT_EQ(r.events.back(), "failed:4:Invalid Content-Length") << fields;
        EXPECT_EQ(r.body, "") << fields;
        EXPECT_FALSE(r.reader.Reading()) << fields;
    }

    const std::vector<std::pair<std::string, std::int64_t>> trusted = {
        {"Content-Length: 5", 5},           {"Content-Length:    5  ", 5},
        {"Content-Length:\t5\t", 5},        {"Content-Length: 005", 5},
        {"Content-Length: 0", 0},           {"Content-Length: 999999999999999999", 999999999999999999},
        {"Content-Length: 5\r\ncontent-length:  5 ", 5}};
    for (const auto& [fields, length] : trusted) {
        Recorder r;
        std::string reply = "HTTP/1.1 200 OK\r\n" + fields + "\r\n\r\nabcdef";
        r.reader.Feed(reply.data(), reply.size());
        EXPECT_EQ(r.fields.ContentLength, length) << fields;
        EXPECT_EQ(r.events.back(), "end") << fields;
    }
}

TEST(ResponseReader, TheStatusIsThreeDigitsAfterVersionOneZeroOrOneOne)
{
    int code = 0;
    AnsiString reason;
    // '0' and '9' read in every place.
    ASSERT_TRUE(ParseStatusLine("HTTP/1.1 909 Nine", code, reason));
    EXPECT_EQ(code, 909);
    EXPECT_EQ(reason, "Nine");
    ASSERT_TRUE(ParseStatusLine("HTTP/1.0 090 Zero", code, reason));
    EXPECT_EQ(code, 90);
    // The bytes beside the digits, in the first and in the last place, are no code.
    for (const char* line : {"HTTP/1.0 20/ Odd", "HTTP/1.0 20: Odd", "HTTP/1.0 /00 Odd", "HTTP/1.0 :00 Odd"}) {
        code = 7;
        EXPECT_FALSE(ParseStatusLine(line, code, reason)) << line;
        EXPECT_EQ(code, 7) << line;
    }
    EXPECT_TRUE(IsStatusLine("HTTP/1.0 200 OK"));
    EXPECT_TRUE(IsStatusLine("HTTP/1.1 200 OK"));
    EXPECT_FALSE(IsStatusLine("HTTP/1.2 200 OK"));
    EXPECT_FALSE(IsStatusLine("HTTP/1.  200 OK"));
}

TEST(ResponseReader, HeaderFieldValues)
{
    AnsiString name, value;
    ASSERT_TRUE(SplitHeaderField("Set-Cookie:   a=b; c", name, value));
    EXPECT_EQ(name, "set-cookie");
    EXPECT_EQ(value, "a=b; c");
    ASSERT_TRUE(SplitHeaderField("X:   ", name, value));
    EXPECT_EQ(value, " "); // the last character is never skipped
    ASSERT_TRUE(SplitHeaderField("Empty:", name, value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(SplitHeaderField("no colon here", name, value));
    AnsiString begin = "x", end = "y";
    ParseContentRange("bytes 100-199/1000", begin, end);
    EXPECT_EQ(begin, "100");
    EXPECT_EQ(end, "199");
    ParseContentRange("bytes 0-0/1", begin, end);
    EXPECT_EQ(begin, "0");
    EXPECT_EQ(end, "0");
}

TEST(ResponseReader, HeaderlessHtmlKeepsItsLineEndsAndTheRest)
{
    Recorder r;
    std::string reply = "<html>\r\n<body>x\0y</body>\n</html>";
    reply[15] = '\0';
    r.reader.Feed(reply.data(), reply.size());
    EXPECT_TRUE(r.fields.Headerless);
    EXPECT_EQ(r.fields.ContentType, "text/html");
    EXPECT_EQ(r.events, (std::vector<std::string>{"begin", "end:headerless"}));
    EXPECT_EQ(r.body, reply);
    EXPECT_EQ(r.chunks.size(), 1u);

    Recorder typed;
    std::string withType = "Content-Type: text/plain\n<HTML>page\n";
    typed.reader.Feed(withType.data(), withType.size());
    EXPECT_EQ(typed.fields.ContentType, "text/plain");
    EXPECT_EQ(typed.body, "<HTML>page\n");
}

TEST(ResponseReader, ListenerDecidesAtTheEndOfTheHeader)
{
    Recorder r;
    r.goOnWithBody = false;
    std::string reply = "HTTP/1.0 302 Found\r\nLocation: /x\r\n\r\nignored body";
    r.reader.Feed(reply.data(), reply.size());
    EXPECT_EQ(r.events.back(), "end");
    EXPECT_TRUE(r.body.empty());
    EXPECT_FALSE(r.reader.InBody());
}

TEST(ResponseReader, StoppingDropsWhatIsStillBuffered)
{
    Recorder r;
    r.stopOnLine = "HTTP/1.0 500 Internal Server Error";
    std::string reply = "HTTP/1.0 500 Internal Server Error\r\nX-A: 1\r\n\r\nsecret body";
    r.reader.Feed(reply.data(), reply.size());
    EXPECT_EQ(r.events, (std::vector<std::string>{"begin", "line:HTTP/1.0 500 Internal Server Error"}));
    EXPECT_TRUE(r.body.empty());
    EXPECT_FALSE(r.reader.Reading());
    r.reader.Feed("more", 4);
    EXPECT_TRUE(r.body.empty());
}

TEST(ResponseReader, OverlongLineAndOverlongHeaderFail)
{
    Recorder exact;
    std::string line = "X: " + std::string(HttpLineBuffer::kCapacity - 5, 'a') + "\r\n"; // 8192 bytes
    exact.reader.Feed(line.data(), line.size());
    ASSERT_EQ(exact.events.size(), 3u); // begin, the line, its field
    EXPECT_TRUE(exact.events[1] == "line:" + line.substr(0, line.size() - 2));

    Recorder tooLong;
    std::string longLine = "X: " + std::string(HttpLineBuffer::kCapacity, 'a') + "\r\n";
    tooLong.reader.Feed(longLine.data(), longLine.size());
    EXPECT_EQ(tooLong.events.back(), "failed:4:HTTP line too long");
    EXPECT_FALSE(tooLong.reader.Reading());

    Recorder big;
    std::string header = "HTTP/1.0 200 OK\r\n";
    while (header.size() <= 70000)
        header += "X-Filler: " + std::string(1000, 'f') + "\r\n";
    big.reader.Feed(header.data(), header.size());
    EXPECT_EQ(big.events.back(), "failed:4:HTTP header too long");
    EXPECT_LE(big.fields.RcvdHeader.Count(), 66);
}

TEST(ResponseReader, LineAndHeaderAreTakenUpToTheirLimitsExactly)
{
    Recorder overLine;
    std::string line = "X: " + std::string(HttpLineBuffer::kCapacity - 4, 'a') + "\r\n"; // 8193 bytes
    overLine.reader.Feed(line.data(), line.size());
    EXPECT_EQ(overLine.events.back(), "failed:4:HTTP line too long");

    // A header of exactly 64 KiB, its empty last line included, is read; one byte more is not.
    auto headerOf = [](std::size_t total) {
        std::string header = "HTTP/1.0 200 OK\r\n";
        while (total - header.size() - 2 > 1002)
            header += "X: " + std::string(997, 'f') + "\r\n";
        header += "Y: " + std::string(total - header.size() - 2 - 5, 'g') + "\r\n\r\n";
        return header;
    };
    Recorder exact;
    std::string header = headerOf(HttpResponseReader::kMaxHeaderBytes);
    ASSERT_EQ(header.size(), 65536u);
    exact.reader.Feed(header.data(), header.size());
    EXPECT_EQ(exact.events.back(), "end");
    Recorder over;
    header = headerOf(HttpResponseReader::kMaxHeaderBytes + 1);
    ASSERT_EQ(header.size(), 65537u);
    over.reader.Feed(header.data(), header.size());
    EXPECT_EQ(over.events.back(), "failed:4:HTTP header too long");
}

TEST(ResponseReader, StartForgetsAnEarlierResponse)
{
    Recorder r;
    r.reader.Feed("HTTP/1.0 200 OK\r\npartial li", 27);
    r.reader.Start();
    r.reader.Feed("HTTP/1.0 204 No Content\r\n\r\n", 27);
    EXPECT_EQ(r.fields.StatusCode, 204);
    EXPECT_EQ(r.fields.RcvdHeader[1], "HTTP/1.0 204 No Content");
    EXPECT_EQ(r.events[2], "begin"); // a new response begins again
}
