#include "platform/winsock/HostEntry.h"
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace winsock::detail {

namespace {

// How many addresses the entry packed into `buffer` lists.
int AddressesIn(const char* buffer)
{
    hostent entry {};
    std::memcpy(&entry, buffer, sizeof entry);
    int count = 0;
    char* address = nullptr;
    for (;; ++count) {
        std::memcpy(&address, reinterpret_cast<const char*>(entry.h_addr_list) + count * sizeof(char*), sizeof address);
        if (!address)
            return count;
    }
}

TEST(PackHostEntry, AnEntryIsWrittenWhenItFitsExactlyAndLosesTrailingAddressesOtherwise)
{
    HostResult host;
    host.name = "tv.example.fi";
    host.addresses = {0x0100007F, 0x0200007F};
    std::vector<char> large(1024, 'x');
    const int both = PackHostEntry(host, large.data(), static_cast<int>(large.size()));
    ASSERT_EQ(AddressesIn(large.data()), 2);
    HostResult single = host;
    single.addresses.resize(1);
    const int one = PackHostEntry(single, large.data(), static_cast<int>(large.size()));
    ASSERT_LT(one, both);

    std::vector<char> exact(static_cast<std::size_t>(both), 'x');
    EXPECT_EQ(PackHostEntry(host, exact.data(), both), both);
    EXPECT_EQ(AddressesIn(exact.data()), 2);
    EXPECT_STREQ(reinterpret_cast<hostent*>(exact.data())->h_name, "tv.example.fi");

    // One byte short: the second address goes, the first stays.
    std::vector<char> shorter(static_cast<std::size_t>(both - 1), 'x');
    EXPECT_EQ(PackHostEntry(host, shorter.data(), both - 1), one);
    EXPECT_EQ(AddressesIn(shorter.data()), 1);

    // Not even one address fits: nothing is written, and the answer is what one would need.
    std::vector<char> tiny(static_cast<std::size_t>(one - 1), 'x');
    EXPECT_EQ(PackHostEntry(host, tiny.data(), one - 1), one);
    EXPECT_EQ(tiny, std::vector<char>(static_cast<std::size_t>(one - 1), 'x'));
    EXPECT_EQ(PackHostEntry(host, nullptr, -1), one);
}

} // namespace

} // namespace winsock::detail
