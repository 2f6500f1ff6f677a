// Integers, rounding and decimal numbers with the class library's rules.
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(StrToInt, AcceptsTheClassLibrarySyntax)
{
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -17"), -17);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    // The first and last digits of each range.
    EXPECT_EQ(StrToInt("09"), 9);
    EXPECT_EQ(StrToInt("$aF"), 0xAF);
    EXPECT_EQ(StrToInt("$Af"), 0xAF);
    EXPECT_EQ(StrToInt("x09"), 9);
}

TEST(StrToInt, RaisesOnAnythingElse)
{
    for (const char* bad : {"12abc", "", " ", "-", "$", "12 ", "1.5", "2147483648", "-2147483649",
                            "$100000000", "99999999999999999999", "1 2", "--1",
                            // The bytes just outside the digit ranges.
                            "1/", "1:", "$G", "$g", "$@", "$`", "$1:"}) {
        SCOPED_TRACE(bad);
        try {
            StrToInt(bad);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "'" + AnsiString(bad) + "' is not a valid integer value");
        }
    }
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToIntDef("12abc", 7), 7);
    EXPECT_EQ(StrToIntDef("12", 7), 12);
}

TEST(Round, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(7.5), 8);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(Round(90.0 / 4), 22); // 22.5: the width of four channels' columns
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_THROW(Round(std::nan("")), EInvalidOp);
    EXPECT_THROW(Trunc(1e300), EInvalidOp);
}

TEST(IntToText, DecimalAndUpperCaseHex)
{
    EXPECT_EQ(IntToStr(-123), "-123");
    EXPECT_EQ(IntToHex(0xFF, 2), "FF");
    EXPECT_EQ(IntToHex(0xABC, 6), "000ABC");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
}

class DecimalNumbers : public ::testing::Test {
protected:
    void TearDown() override { FormatSettings().DecimalSeparator = FSaved; }
    char FSaved = FormatSettings().DecimalSeparator;
};

TEST_F(DecimalNumbers, UseTheSettingsSeparatorBothWays)
{
    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(FloatToStr(25.4), "25,4");
    EXPECT_EQ(FloatToStr(12.0), "12");
    EXPECT_EQ(FloatToStr(-0.125), "-0,125");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0,333333333333333");
    EXPECT_EQ(FloatToStr(1.5e-6), "1,5E-6");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_DOUBLE_EQ(StrToFloat(" 12,5 "), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-1,5E3"), -1500);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    EXPECT_THROW(StrToFloat("12.5"), EConvertError);
    EXPECT_THROW(StrToFloat("1e"), EConvertError);
    EXPECT_THROW(StrToFloat(""), EConvertError);
    FormatSettings().DecimalSeparator = '.';
    EXPECT_EQ(FloatToStr(25.4), "25.4");
    EXPECT_DOUBLE_EQ(StrToFloat("12.5"), 12.5);
}
