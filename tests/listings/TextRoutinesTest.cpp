#include "listings/HtmlText.h"
#include "listings/TextRoutines.h"
#include <gtest/gtest.h>

TEST(StripTags, DropsMarkupAndToleratesAnOpenTag)
{
    EXPECT_EQ(StripTags("<b><font color=\"#FF0000\">12:00 Uutiset"), "12:00 Uutiset");
    EXPECT_EQ(StripTags("12:00 A <3 B"), "12:00 A ");
    EXPECT_EQ(StripTags("a>b"), "a>b");
    EXPECT_EQ(StripTags(""), "");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce)
{
    EXPECT_EQ(ReplaceAll("banana", "a", "aa", true), "baanaanaa");
    EXPECT_EQ(ReplaceAll("tv tV", "TV", "X", false), "X X");
    EXPECT_EQ(ReplaceAll("tv tV", "TV", "X", true), "tv tV");
    EXPECT_EQ(ReplaceAll("abc", "", "X", false), "abc");
    EXPECT_EQ(ReplaceAll("S\xC4\xC4 s\xE4\xE4", "s\xE4\xE4", "+", false), "+ +") << "Windows-1252 letters fold too";
    EXPECT_EQ(ReplaceAll("Star Wars", " ", "+", true), "Star+Wars");
}

TEST(ColorToHtml, RedFirstInUpperCaseHex)
{
    EXPECT_EQ(ColorToHtml(clRed), "#FF0000");
    EXPECT_EQ(ColorToHtml(clBlue), "#0000FF");
    EXPECT_EQ(ColorToHtml(0x00ABCDEF), "#EFCDAB");
}

TEST(ColorToHtml, SystemColoursResolveToTheirCurrentValue)
{
    SetSystemColorResolver([](int index) { return index == 15 ? 0x00123456u : 0u; });
    EXPECT_EQ(ColorToHtml(clBtnFace), "#563412");
    SetSystemColorResolver(nullptr);
}

TEST(WindowsVersionName, IsUnknownOnThisPlatform)
{
    EXPECT_EQ(WindowsVersionName(), "???");
}

// Listing text comes back from a page's markup with the four references the pages write; one at
// either end of the text is read as surely as one in its middle, and a cut one stays as written.
TEST(HtmlUnescape, ReadsAReferenceWhereverItStands)
{
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        {"&amp;", "&"},
        {"&lt;Uutiset", "<Uutiset"},
        {"Uutiset&gt;", "Uutiset>"},
        {"&quot;Elokuva&quot;", "\"Elokuva\""},
        {"&lt;&gt;", "<>"},
        {"Tom &amp; Jerry", "Tom & Jerry"},
        {"&amp;lt;", "&lt;"},
        {"Uutiset &amp", "Uutiset &amp"},
        {"Uutiset &", "Uutiset &"},
        {"&", "&"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlUnescape(c.html), c.text) << c.html;
}
