// Unpacking a listing package along the program's own path (decompression, the archive check and
// member pre-scan, the staging folder, the move into the data folder, the clean-up) into a fresh
// program folder each time, in turn with `tar -xzf` of the same file into a fresh folder: a
// real-sized package (two weeks of 26 channels, 52 files) and a 50 MB one near the size cap.
#include "app/ListingPackage.h"
#include "bench/InTurn.h"
#include "listings/ListingStore.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include "unpack/Gzip.h"
#include "unpack/UnTar.h"
#include "unpack/UnpackSupport.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

using namespace unpack_test;

namespace {

// A week of one channel as the download brings it: seven day records of programme and
// description lines.
std::string ListingWeek(int code, int week)
{
    std::vector<fixture::DayRecord> records;
    for (int day = 0; day < 7; ++day)
        records.push_back({fixture::RecordKey(2026, 2, 9 + 7 * week + day, code),
                           fixture::DayText(fixture::SampleDay(7 * week + day + code))});
    return fixture::FileBytes(records);
}

// Random base-64 text: it packs to about three quarters, so 63 MiB make a 50 MB package that
// still unpacks below the 64 MiB cap.
std::string Incompressible(std::size_t count, std::mt19937& random)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text(count, ' ');
    for (char& c : text)
        c = alphabet[random() % 64];
    return text;
}

struct Package {
    ScratchFolder folder;
    std::string path = folder / "tiedot.tvz";
};

Package& MakePackage(bool large)
{
    static Package packages[2];
    Package& package = packages[large];
    struct stat info;
    if (::stat(package.path.c_str(), &info) == 0)
        return package;
    std::mt19937 random(large ? 2 : 1);
    std::vector<Member> members;
    for (int i = 0; i < (large ? 63 : 52); ++i) {
        const int code = 1 + i / 2, week = i % 2;
        std::string name = (code < 10 ? "0" : "") + std::to_string(code) + (week ? "-08.QEX" : "-07.QEX");
        if (large)
            name = std::to_string(i) + "-" + name;
        members.emplace_back(name, large ? Incompressible(1 << 20, random) : ListingWeek(code, week));
    }
    WriteBytes(package.path, Gzipped(Tar(members), 9));
    return package;
}

// The program's unpacking into a fresh program folder in turn with `tar -xzf` into a fresh folder,
// pair by pair; tar works in a process of its own, so only the wall clock compares.
void UnpackAsTheProgramDoes(benchmark::State& state)
{
    Package& package = MakePackage(state.range(0) != 0);
    const std::string bytes = ReadBytes(package.path);
    in_turn::MeasureInTurn(
        state,
        [&] {
            ScratchFolder program;
            SetExeFolder(program.Path());
            ForceDirectories(DataFolder());
            WriteBytes(PackagePath(), bytes);
            TGzip gzip(nullptr);
            gzip.DeleteSource = true;
            TUnTar untar(nullptr);
            untar.OverwriteMode = omReplace;
            untar.CreateEmptyDir = true;
            return in_turn::WallOnly(in_turn::TimeInProcess([&] { return UnpackListingPackage(gzip, untar); }));
        },
        [&] {
            ScratchFolder data;
            return in_turn::WallOnly(in_turn::TimeInProcess([&] {
                const char* argv[] = {"tar", "-xzf", package.path.c_str(), "-C", data.Path().c_str(), nullptr};
                pid_t child;
                int status = 0;
                return posix_spawnp(&child, "tar", nullptr, nullptr, const_cast<char**>(argv), environ) == 0 &&
                       waitpid(child, &status, 0) == child && status == 0;
            }));
        },
        "the package did not unpack, or tar -xzf failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.counters["package_KB"] = static_cast<double>(bytes.size()) / 1024;
}

} // namespace

// Argument 0: the 52-member package; 1: the 50 MB package.
BENCHMARK(UnpackAsTheProgramDoes)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
