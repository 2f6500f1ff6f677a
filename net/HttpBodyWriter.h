// Hands the body to the destination stream in large blocks. The socket delivers at most 8 KiB per
// read; one write per read costs a file destination a system call each, which a 200 MB download
// feels. What the client reports per read (OnDocData, RcvdCount) is not affected.
#pragma once
#include "platform/core/Streams.h"
#include <cstddef>
#include <memory>

class HttpBodyWriter {
public:
    static constexpr std::size_t kBlock = 256 * 1024;

    // A new body for `destination` (none: the bytes go nowhere).
    void Start(TStream* destination);
    // The stream's write error is raised here or at a later Flush.
    void Write(const char* data, std::size_t length);
    // Everything written so far reaches the stream; nothing is kept after a failure.
    void Flush();

private:
    TStream* FStream = nullptr;
    std::unique_ptr<char[]> FBlock;  // made on first use, kept for the next body
    std::size_t FUsed = 0;
};
