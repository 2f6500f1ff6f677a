// An idle socket must cost nothing: the notifiers are level-triggered, so one left switched on by
// mistake spins the CPU while nothing happens. Measured with getrusage over two seconds.
#include "LocalPeer.h"
#include "SocketFixture.h"
#include <memory>
#include <thread>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

class CpuUse : public SocketTest {};

TEST_F(CpuUse, AnIdleConnectedSocketAndOneWaitingForASlowPeer)
{
    // One peer stays silent; the other answers only after the measured span.
    peer::Server quiet([](int& fd) { peer::ReadSome(fd, 1, 4000); });
    peer::Server slow([](int& fd) {
        peer::ReadUntil(fd, "\n", 4000);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        peer::WriteAll(fd, "late\n");
    });
    std::unique_ptr<TAsyncSocket> idle(TAsyncSocket::Create(nullptr));
    std::unique_ptr<TAsyncSocket> waiting(TAsyncSocket::Create(nullptr));
    int connected = 0;
    std::string answer;
    idle->OnSessionConnected = [&](TObject*, std::uint16_t) { ++connected; };
    waiting->OnSessionConnected = [&](TObject*, std::uint16_t) {
        ++connected;
        waiting->SendStr("request\n");
    };
    waiting->OnDataAvailable = [&](TObject*, std::uint16_t) { answer += waiting->ReceiveStr(); };
    idle->SetAddr("127.0.0.1");
    idle->SetPort(quiet.PortText());
    waiting->SetAddr("127.0.0.1");
    waiting->SetPort(slow.PortText());
    idle->Connect();
    waiting->Connect();
    ASSERT_TRUE(PumpUntil([&] { return connected == 2; }));
    PumpFor(100); // let the first write events pass

    double before = CpuSeconds();
    PumpFor(2000);
    double used = CpuSeconds() - before;
    EXPECT_LT(used, 0.050) << "seconds of CPU while idle";
    EXPECT_EQ(answer, "");
    ASSERT_TRUE(PumpUntil([&] { return answer == "late\n"; }));
}
