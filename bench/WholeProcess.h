// Whole processes for the start-up benchmarks: a display to start them on (the one in DISPLAY, or
// an Xvfb of our own), a copy of the program in a program folder (the program keeps its files
// beside its executable), and a run from exec to the first painted frame of a top-level window
// (see FirstPaint.h), at a chosen wall-clock moment through libfaketime.
#pragma once
#include "bench/InTurn.h"
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace whole_process {

constexpr const char* kFakeTimeLibrary = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";

// The display the processes run on: DISPLAY when set, else an Xvfb started here and ended at exit.
// That one never resets: a server whose last client left resets itself (its keyboard maps compiled
// anew) and charges the next start for it, which a desktop's display never does.
inline const std::string& Display()
{
    static pid_t server = 0;
    static const std::string display = [] {
        const char* own = std::getenv("DISPLAY");
        if (own && *own)
            return std::string(own);
        int ready[2];
        if (pipe(ready) != 0)
            return std::string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"), const_cast<char*>("3"),
                        const_cast<char*>("-screen"), const_cast<char*>("0"), const_cast<char*>("1280x1024x24"),
                        const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),
                        const_cast<char*>("-noreset"), nullptr};
        const int failed = posix_spawnp(&server, "Xvfb", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(ready[1]);
        std::string number;
        char c = 0;
        while (!failed && read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (failed || number.empty())
            return std::string();
        std::atexit([] { kill(server, SIGTERM); waitpid(server, nullptr, 0); });
        return ":" + number;
    }();
    return display;
}

// Copies the program, with what it runs or loads from beside itself, into folder (ending with
// '/') once; returns the copy's path.
inline std::string ProgramIn(const std::string& folder)
{
    const std::filesystem::path built(QEX_PROGRAM);
    for (const char* name : {"qex", "qex-browser", "libqex_media.so"})
        if (!std::filesystem::exists(folder + name))
            std::filesystem::copy_file(built.parent_path() / name, folder + name);
    return folder + "qex";
}

// Runs argv from exec until it ends at its first painted frame, adding the processor time it used
// to cpuMs; false (with the benchmark told why) when it ended otherwise. fakeNow
// ("2026-02-11 10:00:00") sets the wall clock through libfaketime when not empty.
inline bool RunToFirstPaint(benchmark::State& state, const std::vector<std::string>& argv, double& cpuMs,
                            const std::string& fakeNow = std::string())
{
    if (Display().empty()) {
        state.SkipWithError("no display and no Xvfb");
        return false;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("FAKETIME", 0) != 0 &&
            entry.rfind("NO_FAKE_STAT=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("DISPLAY=" + Display());
    env.push_back("QEX_EXIT_AT_FIRST_PAINT=1");
    if (!fakeNow.empty()) {
        env.push_back(std::string("LD_PRELOAD=") + kFakeTimeLibrary);
        env.push_back("FAKETIME=@" + fakeNow);
        env.push_back("FAKETIME_DONT_FAKE_MONOTONIC=1");
        // Faked file times would make the font library rewrite the system's font caches.
        env.push_back("NO_FAKE_STAT=1");
    }
    std::vector<char*> envp, args;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) {
        state.SkipWithError("no pipe");
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawn(&child, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // A process that never paints (a box waiting for an answer) is ended after half a minute.
    std::string said;
    char buffer[64];
    pollfd wait {out[0], POLLIN, 0};
    while (!failed) {
        if (poll(&wait, 1, 30000) <= 0) {
            kill(child, SIGKILL);
            break;
        }
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        said.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage used {};
    if (failed || wait4(child, &status, 0, &used) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        said != "painted\n") {
        state.SkipWithError(("the process did not end at its first paint: " + argv[0]).c_str());
        return false;
    }
    // The processor time the process used, less sensitive than the wall clock to a loaded machine.
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    cpuMs += ms(used.ru_utime) + ms(used.ru_stime);
    return true;
}

// Runs argv to its first paint; its wall-clock and processor milliseconds, or false.
inline bool TimeToFirstPaint(benchmark::State& state, const std::vector<std::string>& argv, double& wallMs,
                             double& cpuMs)
{
    timespec start {}, end {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    cpuMs = 0;
    if (!RunToFirstPaint(state, argv, cpuMs))
        return false;
    clock_gettime(CLOCK_MONOTONIC, &end);
    wallMs = static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 + static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
    return true;
}

// Runs argv and its reference in turn, one pair per iteration (see InTurn.h). The figure is argv's
// wall time; the counters are medians: argv's and the reference's milliseconds, and the ratios
// pair by pair (wall and processor time), with the worst wall ratio.
inline void MeasureInTurn(benchmark::State& state, const std::vector<std::string>& argv,
                          const std::vector<std::string>& reference)
{
    const auto toFirstPaint = [&state](const std::vector<std::string>& run) {
        in_turn::Took took;
        if (!TimeToFirstPaint(state, run, took.wallMs, took.cpuMs))
            took.wallMs = -1;
        return took;
    };
    in_turn::MeasureInTurn(state, [&] { return toFirstPaint(argv); }, [&] { return toFirstPaint(reference); });
}

// Times whole runs of argv, wall clock and, as cpu_ms, the processor time of each run.
inline void Measure(benchmark::State& state, const std::vector<std::string>& argv, const std::string& fakeNow = std::string())
{
    double cpuMs = 0;
    for (auto _ : state)
        if (!RunToFirstPaint(state, argv, cpuMs, fakeNow))
            return;
    state.counters["cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
}

} // namespace whole_process
