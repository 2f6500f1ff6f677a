// Windows-1252 text: literals, conversion to and from Unicode, case folding, byte positions.
#include "platform/core/SysUtils.h"
#include <gtest/gtest.h>

TEST(Literals, AreWindows1252BytesAtRunTime)
{
    EXPECT_EQ("Hälytykset"_a.size(), 10u);
    EXPECT_EQ("Hälytykset"_a, AnsiString("H\xE4lytykset"));
    EXPECT_EQ("€"_a, AnsiString("\x80"));
    EXPECT_EQ("¤¤"_a, AnsiString("\xA4\xA4"));
    EXPECT_EQ("KäynnistäPienennettynä"_a, AnsiString("K\xE4ynnist\xE4Pienennettyn\xE4"));
    EXPECT_EQ("Œ–—™Ÿ"_a, AnsiString("\x8C\x96\x97\x99\x9F"));
}

TEST(Conversion, EveryByteSurvivesUtf8AndUtf16)
{
    AnsiString all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(cp1252::FromUtf8(cp1252::ToUtf8(all)), all);
    EXPECT_EQ(cp1252::FromUtf16(cp1252::ToUtf16(all)), all);
}

TEST(Conversion, HighRangeDiffersFromLatin1)
{
    // 0x80 to 0x9F; the five unassigned bytes stand for themselves.
    const char32_t highRange[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i) {
        const auto byte = static_cast<unsigned char>(0x80 + i);
        EXPECT_EQ(cp1252::ToUnicode(byte), highRange[i]) << "byte " << std::hex << 0x80 + i;
        EXPECT_EQ(static_cast<unsigned char>(cp1252::FromUnicode(highRange[i])), byte) << "byte " << std::hex << 0x80 + i;
    }
    EXPECT_EQ(cp1252::ToUnicode(0xA4), U'¤');
    EXPECT_EQ(cp1252::ToUtf8("\x80"), "€");
    EXPECT_EQ(cp1252::ToUtf16("\xE4\x80"), u"ä€");
}

TEST(Conversion, WhatTheCodePageLacksBecomesQuestionMarks)
{
    EXPECT_EQ(cp1252::FromUtf8("Жx"), "?x");
    EXPECT_EQ(cp1252::FromUtf8("a😀b"), "a?b");
    EXPECT_EQ(cp1252::FromUtf16(u"a😀b"), "a?b");
    EXPECT_EQ(cp1252::FromUnicode(0x110000), '?');
}

TEST(Conversion, MalformedUtf8NeverSwallowsFollowingText)
{
    // Truncated sequence, lone continuation byte, overlong '/', encoded surrogate.
    EXPECT_EQ(cp1252::FromUtf8("\xC3"), "?");
    EXPECT_EQ(cp1252::FromUtf8("\xE2\x82" "A"), "??A");
    EXPECT_EQ(cp1252::FromUtf8("\x80" "A"), "?A");
    EXPECT_EQ(cp1252::FromUtf8("\xC0\xAF"), "??");
    EXPECT_EQ(cp1252::FromUtf8("\xED\xA0\x80"), "???");
    EXPECT_EQ(cp1252::FromUtf16(std::u16string(1, char16_t(0xD800)) + u"x"), "?x");
}

TEST(CaseFolding, PlainFormsFoldOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCase("abc äö"_a), "ABC äö"_a);
    EXPECT_EQ(LowerCase("ABC ÄÖ"_a), "abc ÄÖ"_a);
    EXPECT_TRUE(SameText("Yle TV1", "YLE tv1"));
    EXPECT_FALSE(SameText("ä"_a, "Ä"_a));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(CaseFolding, AnsiFormsFoldEveryWindows1252Letter)
{
    EXPECT_EQ(AnsiUpperCase("äöåéšœžÿ"_a), "ÄÖÅÉŠŒŽŸ"_a);
    EXPECT_EQ(AnsiLowerCase("ÄÖÅÉŠŒŽŸ"_a), "äöåéšœžÿ"_a);
    // ß, µ and the signs ÷ × have no other case here.
    EXPECT_EQ(AnsiUpperCase("ßµ÷"_a), "ßµ÷"_a);
    EXPECT_EQ(AnsiLowerCase("×"_a), "×"_a);
    EXPECT_TRUE(AnsiSameText("KäynnistäPienennettynä"_a, "KÄYNNISTÄPIENENNETTYNÄ"_a));
}

TEST(CaseFolding, EveryLetterRangeEndsWhereItShould)
{
    // a-z and A-Z with the bytes just outside them.
    EXPECT_EQ(UpperCase("`az{"), "`AZ{");
    EXPECT_EQ(LowerCase("@AZ["), "@az[");
    EXPECT_EQ(AnsiUpperCase("`az{"), "`AZ{");
    EXPECT_EQ(AnsiLowerCase("@AZ["), "@az[");
    // à-þ and À-Þ with the bytes just outside them: ß below, ÿ above (which has its own pair).
    EXPECT_EQ(AnsiUpperCase("\xDF\xE0\xFE"), "\xDF\xC0\xDE");
    EXPECT_EQ(AnsiLowerCase("\xBF\xC0\xDE\xDF"), "\xBF\xE0\xFE\xDF");
    EXPECT_EQ(AnsiUpperCase("\xBF\xF6\xF8"), "\xBF\xD6\xD8");
    EXPECT_EQ(AnsiLowerCase("\xD6\xD8"), "\xF6\xF8");
    // Beside the three pairs in 0x80-0x9F nothing folds there.
    EXPECT_EQ(AnsiUpperCase("\x89\x8B\x8D\x8F\x99\x9B\x9D"), "\x89\x8B\x8D\x8F\x99\x9B\x9D");
    EXPECT_EQ(AnsiLowerCase("\x89\x8B\x8D\x8F\x99\x9B\x9D"), "\x89\x8B\x8D\x8F\x99\x9B\x9D");
}

TEST(BytePositions, CountFromOneAndClipInsteadOfThrowing)
{
    EXPECT_EQ(Pos("ty", "Hälytykset"_a), 5);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("x", ""), 0);
    EXPECT_EQ(Copy("Hälytykset"_a, 2, 3), "äly"_a);
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", 3, 100), "c");
    EXPECT_EQ(Copy("abc", 4, 1), "");
    EXPECT_EQ(Copy("abc", 2, -1), "");
    AnsiString s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 10, 1);
    Delete(s, 0, 1);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
}

TEST(Trimming, DropsControlBytesButNotHighLetters)
{
    EXPECT_EQ(Trim(" \t\r\nä x\x01"_a), "ä x"_a);
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    EXPECT_EQ(Trim("\xA0"), "\xA0");
    EXPECT_EQ(Trim("   "), "");
    // Every byte up to the blank is trimmed, '!' after it is not.
    EXPECT_EQ(Trim("\x1F!\x20"), "!");
    EXPECT_EQ(Trim(std::string(1, '\0') + "a"), "a");
}
