// Line mode: the buffer's editing and line search on their own, then lines from a real peer.
#include "LocalPeer.h"
#include "SocketFixture.h"
#include "net/LineBuffer.h"
#include <memory>
#include <thread>

TEST(LineBuffer, FindsTheFirstCompleteLine)
{
    LineBuffer b;
    b.Append("ab\r\nc", 5);
    EXPECT_EQ(b.LineLength("\r\n"), 4u);
    EXPECT_EQ(b.LineLength("\n"), 4u);
    EXPECT_EQ(b.LineLength("\r\n", 4), 0u);
    EXPECT_EQ(b.LineLength(""), 0u);
    char out[4];
    EXPECT_EQ(b.Take(out, 4), 4u);
    EXPECT_EQ(b.Data(), "c");
}

TEST(LineBuffer, EditingHandlesBackspacesAndTabsWithinBounds)
{
    LineBuffer b;
    b.Append("\b\bab\bc\td", 8);
    AnsiString echo = b.Edit(0);
    EXPECT_EQ(b.Data(), "ac      d"); // the tab fills to column 8
    EXPECT_EQ(echo, "a" "b" "\b \b" "c" "      " "d");

    LineBuffer wide;
    std::string tabs(100, '\t');
    wide.Append(tabs.data(), tabs.size());
    wide.Edit(0);
    EXPECT_EQ(wide.Size(), 800u); // grows as needed

    LineBuffer kept;
    kept.Append("xy", 2);
    kept.Append("\b\b\b", 3);
    kept.Edit(2); // only new bytes are edited, but they may remove held ones
    EXPECT_EQ(kept.Data(), "");
}

namespace {

class LineMode : public SocketTest {
protected:
    std::unique_ptr<TAsyncSocket> s{TAsyncSocket::Create(nullptr)};
    std::vector<std::string> lines;
    bool closed = false;

    void Connect(std::uint16_t port)
    {
        s->SetLineMode(true);
        s->OnDataAvailable = [this](TObject*, std::uint16_t) {
            std::string line = s->ReceiveStr();
            if (!line.empty())
                lines.push_back(line);
        };
        s->OnSessionClosed = [this](TObject*, std::uint16_t) { closed = true; };
        s->SetAddr("127.0.0.1");
        s->SetPort(std::to_string(port));
        s->Connect();
    }
};

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

} // namespace

TEST_F(LineMode, DeliversWholeLinesAndKeepsTheRestUntilMoreComes)
{
    peer::Server server([](int& fd) {
        peer::WriteAll(fd, "ab\r\nc");
        Pause();
        peer::WriteAll(fd, "d\r\ne\r\nf\r");
        Pause();
        peer::WriteAll(fd, "\ntail");
    });
    EXPECT_FALSE(s->LineMode());
    EXPECT_EQ(s->LineEnd(), "\r\n");
    Connect(server.Port());
    EXPECT_TRUE(s->LineMode());
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"ab\r\n", "cd\r\n", "e\r\n", "f\r\n", "tail"}));
}

TEST_F(LineMode, LinesEndingInLineFeedOnly)
{
    peer::Server server([](int& fd) { peer::WriteAll(fd, "one\ntwo\r\nthree\n"); });
    s->SetLineEnd("\n");
    EXPECT_EQ(s->LineEnd(), "\n");
    Connect(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\r\n", "three\n"}));
}

TEST_F(LineMode, ALineOverTheLimitIsReportedAndCleared)
{
    peer::Server server([](int& fd) {
        peer::WriteAll(fd, std::string(40, 'x'));
        Pause();
        peer::WriteAll(fd, "ok\r\n");
    });
    EXPECT_EQ(s->LineLimit(), 65536);
    s->SetLineLimit(16);
    EXPECT_EQ(s->LineLimit(), 16);
    int reported = 0;
    s->OnLineLimitExceeded = [&](TObject*, int count, bool& clear) {
        reported = count;
        EXPECT_TRUE(clear);
    };
    Connect(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_EQ(reported, 40);
    EXPECT_EQ(lines, (std::vector<std::string>{"ok\r\n"}));
}

TEST_F(LineMode, ALineUpToTheLimitWaitsForItsEndAndOneByteMoreIsReported)
{
    peer::Server server([](int& fd) {
        peer::WriteAll(fd, std::string(16, 'x'));
        Pause();
        peer::WriteAll(fd, "\r\n");
        Pause();
        peer::WriteAll(fd, std::string(17, 'y'));
        Pause();
        peer::WriteAll(fd, "ok\r\n");
    });
    s->SetLineLimit(16);
    std::vector<int> reported;
    s->OnLineLimitExceeded = [&](TObject*, int count, bool&) { reported.push_back(count); };
    Connect(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_EQ(reported, std::vector<int>{17});
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(16, 'x') + "\r\n", "ok\r\n"}));
}

TEST_F(LineMode, AHandlerThatReadsNothingDoesNotHangTheLoop)
{
    peer::Server server([](int& fd) {
        peer::WriteAll(fd, "a\r\nb\r\n");
        peer::ReadSome(fd, 1, 300);
    });
    int calls = 0;
    Connect(server.Port());
    s->OnDataAvailable = [&](TObject*, std::uint16_t) { ++calls; }; // never reads
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpFor(100);
    EXPECT_LT(calls, 10);
    // Reading again later gets the lines that waited.
    s->OnDataAvailable = [&](TObject*, std::uint16_t) { lines.push_back(s->ReceiveStr()); };
    s->SetLineMode(false);
    EXPECT_FALSE(s->LineMode());
    ASSERT_TRUE(PumpUntil([&] { return !lines.empty(); }));
    EXPECT_EQ(lines.front(), "a\r\nb\r\n");
}

TEST_F(LineMode, EchoSendsTheEditedBytesBack)
{
    std::string echoed;
    peer::Server server([&](int& fd) {
        peer::WriteAll(fd, "ab\bc\r\n");
        echoed = peer::ReadUntil(fd, "\r\n", 2000);
    });
    EXPECT_FALSE(s->LineEdit());
    EXPECT_FALSE(s->LineEcho());
    s->SetLineEdit(true);
    s->SetLineEcho(true);
    EXPECT_TRUE(s->LineEdit());
    EXPECT_TRUE(s->LineEcho());
    Connect(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"ac\r\n"}));
    EXPECT_EQ(echoed, "ab\b \bc\r\n");
}
