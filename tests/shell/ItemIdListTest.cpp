#include "shell/BrowserHost.h"
#include "shell/ItemIdList.h"
#include "platform/messages/Application.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A list built byte by byte: each item its little-endian count, then its bytes; a zero count.
std::vector<std::uint8_t> ListBytes(const std::vector<std::string>& items)
{
    std::vector<std::uint8_t> bytes;
    for (const std::string& item : items) {
        const std::size_t count = item.size() + 2;
        bytes.push_back(static_cast<std::uint8_t>(count & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(count >> 8));
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

const ITEMIDLIST* AsList(const std::vector<std::uint8_t>& bytes)
{
    return reinterpret_cast<const ITEMIDLIST*>(bytes.data());
}

using ListPointer = std::unique_ptr<ITEMIDLIST, void (*)(ITEMIDLIST*)>;

} // namespace

TEST(ItemIdListTest, SizeStepCopyAndAllocationWorkOnTheRawBytes)
{
    const auto bytes = ListBytes({"home", std::string(300, 'x'), "a"});
    const ITEMIDLIST* list = AsList(bytes);
    EXPECT_EQ(ItemIdListSize(list), bytes.size());
    EXPECT_EQ(ItemIdListSize(nullptr), 0u);
    EXPECT_EQ(ItemIdListSize(AsList(ListBytes({}))), 2u);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(NextItemId(list)), bytes.data() + 6);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(NextItemId(NextItemId(list))), bytes.data() + 6 + 302);

    ListPointer copy(CopyItemIdList(list), FreeItemIdList);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), list);
    EXPECT_EQ(std::memcmp(copy.get(), bytes.data(), bytes.size()), 0);
    EXPECT_EQ(CopyItemIdList(nullptr), nullptr);

    ListPointer zeroed(AllocItemIdList(40), FreeItemIdList);
    ASSERT_NE(zeroed, nullptr);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(zeroed.get());
    EXPECT_EQ(std::count(raw, raw + 40, 0), 40);
    EXPECT_EQ(ItemIdListSize(zeroed.get()), 2u);
    EXPECT_EQ(AllocItemIdList(0), nullptr);
    FreeItemIdList(nullptr);

    // A count that can't hold itself ends the list instead of looping on it.
    std::vector<std::uint8_t> broken = ListBytes({"usr"});
    broken.insert(broken.end() - 2, {1, 0});
    EXPECT_EQ(ItemIdListSize(AsList(broken)), 7u);
    // A count of exactly two is an item (with an empty name) and the list goes on after it.
    std::vector<std::uint8_t> bare = ListBytes({"usr"});
    bare.insert(bare.begin(), {2, 0});
    EXPECT_EQ(ItemIdListSize(AsList(bare)), 9u);
    EXPECT_EQ(ItemIdListPath(AsList(bare)), "") << "an empty name is no folder";
}

TEST(ItemIdListTest, AListNamesAPathOfPlainNamesAndTheHostNavigatesThere)
{
    EXPECT_EQ(ItemIdListPath(AsList(ListBytes({"tmp", "qex data", "T\xE4n\xE4\xE4n"}))), "/tmp/qex data/T\xE4n\xE4\xE4n");
    EXPECT_EQ(ItemIdListPath(nullptr), "");
    EXPECT_EQ(ItemIdListPath(AsList(ListBytes({}))), "");
    for (const std::string& bad : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                   std::string("a\0b", 3)})
        EXPECT_EQ(ItemIdListPath(AsList(ListBytes({"tmp", bad}))), "") << bad;

    TApplication app(nullptr);
    TApplication* saved = Application;
    Application = &app;
    std::vector<AnsiString> navigations, opened;
    {
        TBrowserHost host(nullptr);
        host.OnBeforeNavigate2 = [&](TObject*, void*, const AnsiString& url, int, const AnsiString&, const AnsiString&,
                                     const AnsiString&, bool&) { navigations.push_back(url); };
        SetDesktopOpener([&](const AnsiString& target) {
            opened.push_back(target);
            return true;
        });
        host.NavigateItemIdList(AsList(ListBytes({"tmp", "qex data"})));
        host.NavigateItemIdList(AsList(ListBytes({"tmp", ".."})));
        host.NavigateItemIdList(nullptr);
        SetDesktopOpener(nullptr);
    }
    Application = saved;
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"file:///tmp/qex%20data"}));
    EXPECT_EQ(opened, (std::vector<AnsiString>{"file:///tmp/qex%20data"}));
}
