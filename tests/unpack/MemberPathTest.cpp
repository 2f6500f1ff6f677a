#include "unpack/MemberPath.h"
#include <gtest/gtest.h>

namespace {

TEST(LiesInside, TheFolderAndWhatIsBelowItButNoNeighbourSharingItsName)
{
    EXPECT_TRUE(LiesInside("/data/Tiedot", "/data/Tiedot"));
    EXPECT_TRUE(LiesInside("/data/Tiedot", "/data/Tiedot/01-07.QEX"));
    EXPECT_TRUE(LiesInside("/data/Tiedot/", "/data/Tiedot/a/b"));
    EXPECT_FALSE(LiesInside("/data/Tiedot", "/data/Tiedot2"));
    EXPECT_FALSE(LiesInside("/data/Tiedot", "/data/Tiedot2/01-07.QEX"));
    EXPECT_FALSE(LiesInside("/data/Tiedot", "/data/Tiedo"));
    EXPECT_FALSE(LiesInside("/data/Tiedot", "/data"));
    EXPECT_FALSE(LiesInside("/data/Tiedot/", "/data/Tiedot2"));
    // The root of the file system holds everything; a path that did not resolve holds nothing.
    EXPECT_TRUE(LiesInside("/", "/data"));
    EXPECT_FALSE(LiesInside("", "/data"));
    EXPECT_FALSE(LiesInside("/data", ""));
}

TEST(SplitMemberName, EveryPartCountsUpToTheLast)
{
    MemberPath one = SplitMemberName("a");
    EXPECT_TRUE(one.Folders.empty());
    EXPECT_EQ(one.FileName, "a");
    MemberPath deep = SplitMemberName("a/b\\c");
    EXPECT_EQ(deep.Folders, (std::vector<AnsiString>{"a", "b"}));
    EXPECT_EQ(deep.FileName, "c");
    MemberPath folder = SplitMemberName("a/b/");
    EXPECT_EQ(folder.Folders, (std::vector<AnsiString>{"a", "b"}));
    EXPECT_EQ(folder.FileName, "");
    EXPECT_TRUE(SplitMemberName("a/..").Escapes);
    EXPECT_TRUE(SplitMemberName("../a").Escapes);
    EXPECT_FALSE(SplitMemberName("a/..b").Escapes);
    EXPECT_FALSE(SplitMemberName("a/...").Escapes);
    EXPECT_EQ(SplitMemberName("").FileName, "");
}

} // namespace
