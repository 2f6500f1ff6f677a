// Moving 30,000 unpacked files into the data folder, where half of them replace a stored file
// spelled in other letters, in turn with `mv` of the same files.
#include "bench/InTurn.h"
#include "platform/core/FileMoves.h"
#include "unpack/UnpackSupport.h"
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace unpack_test;

namespace {

constexpr int kFiles = 30000;

std::string Name(int i) { return "m" + std::to_string(i) + ".QEX"; }

// Fresh files to move, and a data folder holding every other one in upper-case letters.
void Prepare(const ScratchFolder& source, const ScratchFolder& target)
{
    Shell("rm -rf '" + source.Path() + "'/* '" + target.Path() + "'/*");
    for (int i = 0; i < kFiles; ++i) {
        WriteBytes(source / Name(i), "listing");
        if (i % 2 == 0)
            WriteBytes(target / ("M" + std::to_string(i) + ".qex"), "old");
    }
}

// Both in turn, pair by pair, each on fresh files; `mv` does its work in a process of its own, so
// only the wall clock compares.
void MoveWithFileMoves(benchmark::State& state)
{
    ScratchFolder source, target;
    std::vector<std::string> names;
    for (int i = 0; i < kFiles; ++i)
        names.push_back(Name(i));
    // What `mv` does with the same files: one rename each, no letter cases looked at, nothing kept.
    std::vector<std::string> arguments = {"mv", "-t", target.Path()};
    for (int i = 0; i < kFiles; ++i)
        arguments.push_back(source / Name(i));
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    in_turn::MeasureInTurn(
        state,
        [&] {
            Prepare(source, target);
            return in_turn::WallOnly(in_turn::TimeInProcess([&] {
                MoveFilesIgnoringCase(source.Path(), names, target.Path());
                return true;
            }));
        },
        [&] {
            Prepare(source, target);
            return in_turn::WallOnly(in_turn::TimeInProcess([&] {
                pid_t child;
                int status = 0;
                return posix_spawnp(&child, "mv", nullptr, nullptr, argv.data(), environ) == 0 &&
                       waitpid(child, &status, 0) == child && status == 0;
            }));
        },
        "mv failed");
}

} // namespace

BENCHMARK(MoveWithFileMoves)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
