#include "listings/ChannelTable.h"
#include <gtest/gtest.h>
#include <iterator>

// Every row as the file names, day keys and icons of stored listings expect it: one wrong code
// would look for another channel's files.
TEST(ChannelTable, EveryRowInOrder)
{
    struct Row {
        const char* name;
        const char* code;
        int icon;
    };
    const Row expected[] = {
        {"TV1", "01", 0},
        {"TV2", "02", 1},
        {"MTV3", "03", 2},
        {"Nelonen", "04", 3},
        {"Subtv", "05", 4},
        {"Canal+", "10", 5},
        {"Canal+ Gold", "11", 6},
        {"Canal+ Sininen", "12", 7},
        {"TV1000", "13", 8},
        {"Cinema", "14", 9},
        {"Moon TV", "20", 10},
        {"SVT 1", "21", 11},
        {"SVT 2", "22", 12},
        {"SVT Europa", "23", 13},
        {"TV4 Nordisk", "24", 14},
        {"Eurosport", "25", 15},
        {"MTV Europe", "26", 16},
        {"BBC World", "27", 17},
        {"VH-1", "28", 18},
        {"Discovery", "29", 19},
        {"TNT Cartoon", "30", 20},
        {"RTL", "31", 21},
        {"Radiomafia", "50", 22},
        {"Radio Yle 1", "51", 22},
        {"Radio Suomi", "52", 22},
        {"Radio Extrem", "53", 22},
    };
    ASSERT_EQ(ChannelTable.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Row& row = expected[i];
        EXPECT_STREQ(ChannelTable[i].name, row.name) << i;
        EXPECT_EQ(ChannelCode(row.name), row.code) << row.name;
        EXPECT_EQ(ChannelImageIndex(row.name), row.icon) << row.name;
        EXPECT_EQ(ChannelNameFromCode(row.code), row.name) << row.code;
    }
    EXPECT_EQ(ChannelCode("tv1"), "") << "names compare exactly";
}

TEST(ChannelTable, RadioAndViewIcons)
{
    for (const char* radio : {"Radiomafia", "Radio Yle 1", "Radio Suomi", "Radio Extrem"})
        EXPECT_EQ(ChannelImageIndex(radio), 22) << radio;
    EXPECT_EQ(ChannelImageIndex("Hälytykset"_a), 23);
    EXPECT_EQ(ChannelImageIndex("TV:ssä nyt"_a), 24);
    EXPECT_EQ(ChannelImageIndex("Ei kanava"), -1);
}

TEST(ChannelTable, NameFromCodePadsOneDigit)
{
    EXPECT_EQ(ChannelNameFromCode("1"), "TV1");
    EXPECT_EQ(ChannelNameFromCode("5"), "Subtv");
    EXPECT_EQ(ChannelNameFromCode("6"), "");
    EXPECT_EQ(ChannelNameFromCode("27"), "BBC World");
}
