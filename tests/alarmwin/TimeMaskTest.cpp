#include "alarms/TimeMask.h"
#include <gtest/gtest.h>

namespace {

TimeMask Typed(const AnsiString& keys)
{
    TimeMask mask;
    int cursor = 0;
    for (char c : keys)
        cursor = mask.Type(cursor, c);
    return mask;
}

} // namespace

TEST(TimeMask, StartsEmptyAndShowsTheBlankCharacter)
{
    TimeMask mask;
    EXPECT_EQ(mask.Text(), "  :  ");
    EXPECT_EQ(mask.DisplayText(), "__:__");
    EXPECT_FALSE(mask.Complete());
}

TEST(TimeMask, TypingStepsOverTheSeparator)
{
    EXPECT_EQ(Typed("2015").Text(), "20:15");
    EXPECT_EQ(Typed("20:15").Text(), "20:15");
    EXPECT_TRUE(Typed("2015").Complete());
    // Letters and a sixth digit go nowhere.
    EXPECT_EQ(Typed("2a0b1c59").Text(), "20:15");
}

TEST(TimeMask, AOneDigitHourKeepsALeadingBlank)
{
    EXPECT_EQ(Typed("9:30").Text(), " 9:30");
    EXPECT_EQ(Typed(" 930").Text(), " 9:30");
    EXPECT_TRUE(Typed("9:30").Complete());

    // The hour's second place left empty by moving past it: the digit still stands last.
    TimeMask mask;
    mask.Type(0, '9');
    mask.Type(mask.Type(3, '3'), '0');
    EXPECT_EQ(mask.Text(), " 9:30");
    EXPECT_EQ(mask.DisplayText(), "9_:30");
}

TEST(TimeMask, MissingRequiredDigitsLeaveItIncomplete)
{
    EXPECT_FALSE(Typed("12:3").Complete());
    EXPECT_FALSE(Typed("::").Complete());
    TimeMask mask;
    mask.SetText("  :30");
    EXPECT_FALSE(mask.Complete());
}

TEST(TimeMask, SetTextPlacesTheHourRightAligned)
{
    TimeMask mask;
    mask.SetText("20:00");
    EXPECT_EQ(mask.Text(), "20:00");
    mask.SetText(" 9:30");
    EXPECT_EQ(mask.Text(), " 9:30");
    mask.SetText("9:30");
    EXPECT_EQ(mask.Text(), " 9:30");
    EXPECT_EQ(mask.DisplayText(), "_9:30");
    mask.SetText("x1:4y");
    EXPECT_EQ(mask.Text(), " 1:4 ");
}

TEST(TimeMask, DeletingEmptiesPlacesAndSkipsTheSeparator)
{
    TimeMask mask;
    mask.SetText("20:15");
    int cursor = mask.Backspace(3);
    EXPECT_EQ(cursor, 1);
    EXPECT_EQ(mask.Text(), " 2:15");
    EXPECT_EQ(mask.DeleteAt(3), 3);
    EXPECT_EQ(mask.Text(), " 2: 5");
    mask.Clear(0, 5);
    EXPECT_EQ(mask.Text(), "  :  ");
    EXPECT_EQ(mask.Backspace(0), 0);
}
