#include "listings/ChannelTable.h"
#include <gtest/gtest.h>
#include <set>

TEST(ChannelTable, CodesAndIconsOfEveryRow)
{
    EXPECT_EQ(ChannelCode("TV1"), "01");
    EXPECT_EQ(ChannelCode("Canal+ Sininen"), "12");
    EXPECT_EQ(ChannelCode("Moon TV"), "20");
    EXPECT_EQ(ChannelCode("RTL"), "31");
    EXPECT_EQ(ChannelCode("Radio Extrem"), "53");
    EXPECT_EQ(ChannelCode("tv1"), "") << "names compare exactly";
    std::set<std::string> codes;
    for (std::size_t i = 0; i < ChannelTable.size(); ++i) {
        codes.insert(ChannelTable[i].code);
        if (i < 22) {
            EXPECT_EQ(ChannelImageIndex(ChannelTable[i].name), static_cast<int>(i));
        }
    }
    EXPECT_EQ(codes.size(), 26u);
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
