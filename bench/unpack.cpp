// Unpacking a listing package (Gunzip, then Extract) against `tar -xzf` of the same file in the
// same run: a 52-member package like a full download, and a 50 MB one near the size cap.
#include "unpack/Gzip.h"
#include "unpack/UnTar.h"
#include "unpack/UnpackSupport.h"

#include <benchmark/benchmark.h>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

using namespace unpack_test;

namespace {

// A week of one channel: seven days of "hh:nn title" and description lines, as the listings hold.
std::string ListingWeek(std::mt19937& random)
{
    static const char* words[] = {"Uutiset", "elokuva", "sarja", "dokumentti", "urheilu", "ilta", "aamu",
        "Suomi", "maailma", "luonto", "musiikki", "lapset", "jakso", "kausi", "tietovisa", "keli"};
    std::string week;
    for (int day = 0; day < 7; ++day) {
        for (int hour = 6; hour < 30; ++hour) {
            week += std::to_string(10 + hour % 24).substr(0, 2) + ":" + std::to_string(10 + random() % 50) + " ";
            for (int w = 0; w < 4; ++w)
                week += std::string(words[random() % 16]) + " ";
            week += "\r\n";
            for (int w = 0; w < 30; ++w)
                week += std::string(words[random() % 16]) + " ";
            week += "\r\n";
        }
    }
    return week;
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
        std::string name = (i < 10 ? "0" : "") + std::to_string(i) + "-07.QEX";
        members.emplace_back(name, large ? Incompressible(1 << 20, random) : ListingWeek(random));
    }
    WriteBytes(package.path, Gzipped(Tar(members), 9));
    return package;
}

void UnpackWithComponents(benchmark::State& state)
{
    Package& package = MakePackage(state.range(0) != 0);
    ScratchFolder data;
    for (auto _ : state) {
        TGzip gzip(nullptr);
        gzip.FileSource = package.path;
        gzip.FileDestination = data / "tiedot.tvx";
        if (gzip.Gunzip() != GunzipOk)
            state.SkipWithError("Gunzip failed");
        TUnTar untar(nullptr);
        untar.OverwriteMode = omReplace;
        untar.CreateEmptyDir = true;
        untar.FileSource = data / "tiedot.tvx";
        untar.UnpackPath = data.Path();
        untar.Extract();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(ReadBytes(package.path).size()));
}

void UnpackWithTarCommand(benchmark::State& state)
{
    Package& package = MakePackage(state.range(0) != 0);
    ScratchFolder data;
    for (auto _ : state) {
        const char* argv[] = {"tar", "-xzf", package.path.c_str(), "-C", data.Path().c_str(), nullptr};
        pid_t child;
        int status = 0;
        if (posix_spawnp(&child, "tar", nullptr, nullptr, const_cast<char**>(argv), environ) != 0
            || waitpid(child, &status, 0) != child || status != 0)
            state.SkipWithError("tar -xzf failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(ReadBytes(package.path).size()));
}

} // namespace

// Argument 0: the 52-member package; 1: the 50 MB package. Real time, since tar runs as children.
BENCHMARK(UnpackWithComponents)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(UnpackWithTarCommand)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
