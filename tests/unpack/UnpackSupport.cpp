#include "unpack/UnpackSupport.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <random>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace unpack_test {

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qex-unpack-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int Shell(const std::string& command)
{
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

void PutOctal(std::string& header, int offset, int width, std::int64_t value)
{
    char field[32];
    std::snprintf(field, sizeof field, "%0*llo", width - 1, static_cast<long long>(value));
    header.replace(offset, static_cast<std::size_t>(width - 1), field, static_cast<std::size_t>(width - 1));
}

} // namespace

std::string TarHeader(const Member& member)
{
    std::string header(512, '\0');
    header.replace(0, std::min<std::size_t>(member.name.size(), 100), member.name.substr(0, 100));
    PutOctal(header, 100, 8, 0644);
    PutOctal(header, 108, 8, 1000);
    PutOctal(header, 116, 8, 1000);
    PutOctal(header, 124, 12, static_cast<std::int64_t>(member.data.size()));
    if (!member.sizeField.empty())
        header.replace(124, member.sizeField.size(), member.sizeField);
    PutOctal(header, 136, 12, member.mtime);
    header[156] = member.type;
    header.replace(157, std::min<std::size_t>(member.linkName.size(), 100), member.linkName.substr(0, 100));
    header.replace(257, 8, std::string("ustar\0" "00", 8));
    header.replace(148, 8, 8, ' ');
    unsigned sum = 0;
    for (unsigned char c : header)
        sum += c;
    char checksum[8];
    std::snprintf(checksum, sizeof checksum, "%06o", sum);
    header.replace(148, 7, checksum, 7);
    return header;
}

std::string Tar(const std::vector<Member>& members, bool endBlocks)
{
    std::string tar;
    for (const Member& member : members) {
        tar += TarHeader(member);
        tar += member.data;
        tar.append((512 - member.data.size() % 512) % 512, '\0');
    }
    if (endBlocks)
        tar.append(1024, '\0');
    return tar;
}

std::string Gzipped(const std::string& bytes, int level)
{
    z_stream stream {};
    if (deflateInit2(&stream, level, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    return out;
}

namespace {

std::string RawDeflate(const std::string& bytes, int flush)
{
    z_stream stream {};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, bytes.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, flush);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

void PutLittleEndian(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string ZeroBomb(int mebibytes)
{
    const std::string zeros(1 << 20, '\0');
    std::string block = RawDeflate(zeros, Z_FULL_FLUSH);
    std::string bomb("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10);
    uLong blockCrc = crc32(0L, reinterpret_cast<const Bytef*>(zeros.data()), static_cast<uInt>(zeros.size()));
    uLong crc = 0;
    for (int i = 0; i < mebibytes; ++i) {
        bomb += block;
        crc = i == 0 ? blockCrc : crc32_combine(crc, blockCrc, static_cast<z_off_t>(zeros.size()));
    }
    bomb += RawDeflate("", Z_FINISH);
    PutLittleEndian(bomb, static_cast<std::uint32_t>(crc));
    PutLittleEndian(bomb, static_cast<std::uint32_t>(static_cast<std::uint64_t>(mebibytes) << 20));
    return bomb;
}

std::string PatternBytes(std::size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::map<std::string, std::string> Snapshot(const std::string& root, const std::string& skip)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tree;
    auto it = fs::recursive_directory_iterator(root);
    for (auto end = fs::recursive_directory_iterator(); it != end; ++it) {
        std::string relative = fs::relative(it->path(), root).string();
        if (!skip.empty() && it.depth() == 0 && relative == skip) {
            it.disable_recursion_pending();
            continue;
        }
        struct stat info;
        ::lstat(it->path().c_str(), &info);
        std::string entry = std::to_string(info.st_mode) + " " + std::to_string(info.st_mtim.tv_sec) + "."
            + std::to_string(info.st_mtim.tv_nsec);
        if (S_ISLNK(info.st_mode))
            entry += " -> " + fs::read_symlink(it->path()).string();
        else if (S_ISREG(info.st_mode))
            entry += " " + ReadBytes(it->path().string());
        tree[relative] = entry;
    }
    return tree;
}

CapturedBoxes::CapturedBoxes() : FSaved(GzipErrorBox)
{
    GzipErrorBox = [this](const TGzipErrorBox& box) { Boxes.push_back(box); };
}

CapturedBoxes::~CapturedBoxes()
{
    GzipErrorBox = FSaved;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG, as on a full disk
    rlimit limited = FSaved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &FSaved);
}

void MustFinishWithin(int seconds, const std::function<void()>& f)
{
    auto done = std::async(std::launch::async, f);
    if (done.wait_for(std::chrono::seconds(seconds)) == std::future_status::timeout) {
        std::fprintf(stderr, "unpacking did not finish within %d s: it hangs\n", seconds);
        std::abort(); // a hung thread can't be joined; stop here rather than stall
    }
    done.get();
}

} // namespace unpack_test
