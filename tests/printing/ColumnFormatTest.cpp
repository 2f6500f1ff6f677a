#include <gtest/gtest.h>
#include "platform/core/DateTime.h"
#include "printing/ColumnFormat.h"
#include "printing/PageMacros.h"

TEST(ColumnFormat, TokensKeepEveryPiece)
{
    EXPECT_EQ(SplitTokens("", '|'), std::vector<AnsiString>{""});
    EXPECT_EQ(SplitTokens("a|", '|'), (std::vector<AnsiString>{"a", ""}));
    EXPECT_EQ(SplitTokens("<1|>2|^3", '|'), (std::vector<AnsiString>{"<1", ">2", "^3"}));
}

TEST(ColumnFormat, FormatsAreWrittenBackInFullForm)
{
    EXPECT_EQ(NormalizeFormat("", '|', 5), "");
    EXPECT_EQ(NormalizeFormat("12", '|', 5), "<12");
    EXPECT_EQ(NormalizeFormat("^", '|', 5), "^5");
    EXPECT_EQ(NormalizeFormat("<30|>20|^-10", '|', 5), "<30|>20|^-10");
    EXPECT_EQ(NormalizeFormat("<abc||>", '|', 7), "<7|<7|>7");
    EXPECT_EQ(NormalizeFormat("<290,19", '|', 0), "<290,19");
    EXPECT_EQ(NormalizeFormat("<1;>2", ';', 0), "<1;>2");

    TAlignment align;
    double width;
    AnsiString token = "^-10";
    ParseColumnFormat(token, align, width, 0);
    EXPECT_EQ(align, taCenter);
    EXPECT_EQ(width, -10);
}

TEST(ColumnFormat, UnitConversionFollowsTheDecimalSeparator)
{
    auto toMillimetres = [](double inches) { return inches * 25.4; };
    EXPECT_EQ(NormalizeFormat("<1|>2", '|', 0, toMillimetres), "<25,4|>50,8");
    char saved = FormatSettings().DecimalSeparator;
    FormatSettings().DecimalSeparator = '.';
    EXPECT_EQ(NormalizeFormat("<1|>2", '|', 0, toMillimetres), "<25.4|>50.8");
    FormatSettings().DecimalSeparator = saved;
}

TEST(PageMacros, ReplacementDoesNotExpandWhatItInserted)
{
    EXPECT_EQ(ReplaceStr("ab", "abab", "xabyab"), "xababyabab");
    EXPECT_EQ(ReplaceStr("", "x", "abc"), "abc");

    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 5, 7, 0));
    PageMacroValues values{4, 2, "Lista {$PAGE}"};
    EXPECT_EQ(ReplaceMacros("{$LINE}/{$PAGE} {$DATE} {$TIME} {$TITLE}", values), "4/2 11.2.2026 10:05:07 Lista {$PAGE}");
    EXPECT_EQ(ReplaceMacros("{$page}", values), "{$page}");
    ClockUseSystem();
}

TEST(PageMacros, FriendlyTextBuildsRowAndColumns)
{
    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 5, 7, 0));
    FriendlyRow row = ParseFriendlyText("&lPage &p&rprinted &d", 190, "", '|');
    EXPECT_EQ(row.Row, "Page {$PAGE}|printed 11.2.2026");
    EXPECT_EQ(row.Format, "<95,00|>95,00");

    row = ParseFriendlyText("&i", 194.5, "", '|');
    EXPECT_EQ(row.Row, "{$TITLE}");
    EXPECT_EQ(row.Format, "<194,50");

    // Alignment codes before any text declare columns; the text goes into the first of them.
    row = ParseFriendlyText("&c&rX", 100, "", '|');
    EXPECT_EQ(row.Row, "X");
    EXPECT_EQ(row.Format, "^50,00|>50,00");

    // Text before the first alignment code opens a left column of its own.
    row = ParseFriendlyText("A&rB", 100, "", '|');
    EXPECT_EQ(row.Row, "A|B");
    EXPECT_EQ(row.Format, "<50,00|>50,00");

    row = ParseFriendlyText("a&&b&xc &f|&F", 10, "/tmp/listat/paiva.txt", '|');
    EXPECT_EQ(row.Row, "a&b c paiva.txt|/tmp/listat/paiva.txt");
    EXPECT_EQ(ParseFriendlyText("[&f]", 10, "", '|').Row, "[ ]");
    ClockUseSystem();
}

// The long date and both times, fixed when the text is built.
TEST(PageMacros, FriendlyTextWritesTheLongDateAndBothTimes)
{
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = TFormatSettings();
    ClockSet(EncodeDate(2026, 2, 11) + EncodeTime(10, 5, 7, 0));
    EXPECT_EQ(ParseFriendlyText("&D|&t|&T", 10, "", '|').Row, "Wednesday, February 11, 2026|10:05|10:05:07");
    ClockUseSystem();
    FormatSettings() = saved;
}
