// Listing-file bytes that the fixture writer cannot make: a record header whose length does not
// match the text that follows.
#pragma once
#include <cstdint>
#include <string>

namespace search_test {

inline std::string RecordHeader(std::int32_t key, std::int32_t length)
{
    std::string bytes;
    for (std::int32_t value : {key, length})
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace search_test
