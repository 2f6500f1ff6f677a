#include <gtest/gtest.h>
#include "printing/TextFitting.h"

namespace {

// Ten pixels per character, as a fixed-pitch font would measure.
const MeasureText kFixedPitch = [](const AnsiString& text) { return static_cast<int>(text.size()) * 10; };

} // namespace

TEST(TextFitting, TabsAdvanceToTheNextStopOfTheText)
{
    EXPECT_EQ(ExpandTabs("abc\tx", 8), "abc     x");
    EXPECT_EQ(ExpandTabs("\tx", 8), "        x");
    EXPECT_EQ(ExpandTabs("abcdefgh\tx", 8), "abcdefgh        x");
    EXPECT_EQ(ExpandTabs("a\tb\tc", 4), "a   b   c");
    // A tab size of 0 would divide by zero: each TAB becomes one blank.
    EXPECT_EQ(ExpandTabs("a\t\tb", 0), "a  b");
}

TEST(TextFitting, TruncationFindsTheLongestPrefixThatFits)
{
    EXPECT_EQ(TruncateToWidth("abcdef", 60, kFixedPitch), "abcdef");
    EXPECT_EQ(TruncateToWidth("abcdef", 59, kFixedPitch), "abcde");
    EXPECT_EQ(TruncateToWidth("abcdef", 30, kFixedPitch), "abc");
    // Not even one character fits: the first one is taken so that every cut makes progress.
    EXPECT_EQ(TruncateToWidth("abcdef", 5, kFixedPitch), "a");
    EXPECT_EQ(TruncateToWidth("abcdef", -40, kFixedPitch), "a");
    EXPECT_EQ(TruncateToWidth("", -40, kFixedPitch), "");

    // Uneven widths: every length and width against a straight search.
    MeasureText uneven = [](const AnsiString& text) {
        int width = 0;
        for (char c : text)
            width += c == 'W' ? 17 : c == 'i' ? 4 : 9;
        return width;
    };
    const AnsiString text = "WiWiiWxWWiixWiWWWiiiWx";
    for (int width = 0; width < uneven(text) + 5; ++width) {
        std::size_t expected = 0;
        while (expected < text.size() && uneven(text.substr(0, expected + 1)) <= width)
            ++expected;
        EXPECT_EQ(TruncateToWidth(text, width, uneven), text.substr(0, std::max<std::size_t>(expected, 1)))
            << "width " << width;
    }
}

TEST(TextFitting, SplittingBreaksAfterTheLastBlankThatFits)
{
    AnsiString head;
    AnsiString text = "abc def";
    // "abc d" fits: the cut moves back behind the blank, which stays with the head.
    SplitToWidth(head, text, false, 50, kFixedPitch);
    EXPECT_EQ(head, "abc ");
    EXPECT_EQ(text, "def");

    // The cut falls on the blank: dropped for whole lines, kept for text that runs on.
    text = "abc def";
    SplitToWidth(head, text, true, 30, kFixedPitch);
    EXPECT_EQ(head, "abc");
    EXPECT_EQ(text, "def");
    text = "abc def";
    SplitToWidth(head, text, false, 30, kFixedPitch);
    EXPECT_EQ(head, "abc");
    EXPECT_EQ(text, " def");

    // A word wider than the width is cut where it must be.
    text = "abcdefgh ij";
    SplitToWidth(head, text, true, 50, kFixedPitch);
    EXPECT_EQ(head, "abcde");
    EXPECT_EQ(text, "fgh ij");

    EXPECT_EQ(CutAtLastBlank("ab\tcd"), "ab\t");
    EXPECT_EQ(CutAtLastBlank("abcd"), "abcd");
}
