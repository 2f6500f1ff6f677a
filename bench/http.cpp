// Downloading 200 MB from a local server into a file: the HTTP client against curl fetching the
// same URL in the same run. Throughput is bytes_per_second; cpu_ms_per_MB is the downloader's own
// processor time (the client's thread, or the curl process), the server's excluded.
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

void Report(benchmark::State& state, double cpuMs)
{
    const double megabytes = static_cast<double>(kDocumentSize) * static_cast<double>(state.iterations()) / (1024 * 1024);
    state.SetBytesProcessed(static_cast<std::int64_t>(kDocumentSize) * state.iterations());
    state.counters["cpu_ms_per_MB"] = cpuMs / megabytes;
}

void BM_HttpClient(benchmark::State& state)
{
    EnsureApplication();
    Download& d = Shared();
    double cpu = 0;
    for (auto _ : state) {
        THttpClient http(nullptr);
        TFileStream out(d.target, fmCreate);
        http.RcvdStream = &out;
        http.URL = d.server.Url("/qex/data/qex.cgi");
        double before = CpuMs(RUSAGE_THREAD);
        http.Get();
        cpu += CpuMs(RUSAGE_THREAD) - before;
        if (http.RcvdCount() != static_cast<std::int64_t>(kDocumentSize))
            state.SkipWithError("the download was incomplete");
    }
    Report(state, cpu);
}

void BM_Curl(benchmark::State& state)
{
    Download& d = Shared();
    std::string url = d.server.Url("/qex/data/qex.cgi");
    double cpu = 0;
    for (auto _ : state) {
        const char* argv[] = {"curl", "-s", "-f", "-o", d.target.c_str(), url.c_str(), nullptr};
        double before = CpuMs(RUSAGE_CHILDREN);
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, "curl", nullptr, nullptr, const_cast<char**>(argv), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("curl is not installed or failed");
            break;
        }
        cpu += CpuMs(RUSAGE_CHILDREN) - before;
    }
    Report(state, cpu);
}

} // namespace

BENCHMARK(BM_HttpClient)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
