// Downloading 200 MB from a local server into a file: the HTTP client in turn with curl fetching
// the same URL. Throughput is bytes_per_second; cpu_ratio compares the downloaders' own processor
// times (the client's thread, the curl process), the server's excluded.
#include "bench/InTurn.h"
#include "http/ScriptedServer.h"
#include "net/HttpClient.h"
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::size_t kDocumentSize = 200u * 1024 * 1024;

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_http";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

struct Download {
    ScriptedServer server;
    std::string target = "/tmp/qex-bench-http-" + std::to_string(getpid());
    Download()
    {
        std::string body(kDocumentSize, '\0');
        for (std::size_t i = 0; i < body.size(); ++i)
            body[i] = static_cast<char>(i * 31 + (i >> 12));
        server.Script({ScriptedReply::Status(200, "OK", body)});
    }
    ~Download() { std::remove(target.c_str()); }
};

Download& Shared()
{
    static Download download;
    return download;
}

double CpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The client in turn with curl, pair by pair; the processor times compared are the downloaders'
// own: the client's thread and the curl process.
void BM_HttpClient(benchmark::State& state)
{
    EnsureApplication();
    Download& d = Shared();
    const std::string url = d.server.Url("/qex/data/qex.cgi");
    in_turn::MeasureInTurn(
        state,
        [&] {
            THttpClient http(nullptr);
            TFileStream out(d.target, fmCreate);
            http.RcvdStream = &out;
            http.URL = url;
            const double before = CpuMs(RUSAGE_THREAD);
            in_turn::Took took = in_turn::TimeInProcess([&] {
                http.Get();
                return http.RcvdCount() == static_cast<std::int64_t>(kDocumentSize);
            });
            took.cpuMs = CpuMs(RUSAGE_THREAD) - before;
            return took;
        },
        [&] {
            const char* argv[] = {"curl", "-s", "-f", "-o", d.target.c_str(), url.c_str(), nullptr};
            const double before = CpuMs(RUSAGE_CHILDREN);
            in_turn::Took took = in_turn::TimeInProcess([&] {
                pid_t pid = 0;
                int status = 0;
                return posix_spawnp(&pid, "curl", nullptr, nullptr, const_cast<char**>(argv), environ) == 0 &&
                       waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
            });
            took.cpuMs = CpuMs(RUSAGE_CHILDREN) - before;
            return took;
        },
        "the download was incomplete, or curl is not installed or failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(kDocumentSize) * state.iterations());
}

} // namespace

BENCHMARK(BM_HttpClient)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
