// The keyword colourings of the table pages: each colouring in priority order, each of its
// keywords in order, and every keyword the line's text holds wraps or rewrites the line once.
#include "listings/HtmlMarks.h"
#include "listings/HtmlText.h"
#include "listings/KeywordColourings.h"
#include "listings/ProgrammeLine.h"
#include "listings/TextRoutines.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

using Matches = std::vector<std::pair<int, int>>;

Matches EveryMatchOf(const KeywordColourings& colourings, const AnsiString& text)
{
    Matches found;
    for (const KeywordMatch& match : colourings.EveryMatch(text))
        found.emplace_back(match.colouring, match.keyword);
    return found;
}

// What the table pages did before they shared the lists' matcher: every keyword tried on every
// line, the line stripped and unescaped again for each. The generated cases below must come out
// the same byte for byte.
namespace reference {

AnsiString ColourMarkup(const AnsiString& line, const AnsiString& colourHtml)
{
    return line.substr(0, 6) + "<FONT COLOR=\"" + colourHtml + "\">" + CharactersFrom(line, 7) + "</FONT>";
}

bool LineMatches(const TStrings& programmes, const TStrings& descriptions, int i, const AnsiString& keyword)
{
    if (keyword.empty())
        return false;
    AnsiString description = i < descriptions.Count() ? descriptions[i] : AnsiString();
    return (HtmlUnescape(StripTags(programmes[i])) + " " + HtmlUnescape(description)).find(keyword) !=
           AnsiString::npos;
}

void Colour(TStrings& programmes, const TStrings& descriptions, const std::vector<ColouringEntry>& colourings,
            bool nested)
{
    for (const ColouringEntry& colouring : colourings) {
        std::optional<AnsiString> colour = HtmlColourOf(colouring.ColourName());
        if (!colour)
            continue;
        for (const AnsiString& keyword : colouring.keywords)
            for (int i = 0; i < programmes.Count(); ++i)
                if (LineMatches(programmes, descriptions, i, keyword))
                    programmes.Put(i, ColourMarkup(nested ? programmes[i] : StripTags(programmes[i]), *colour));
    }
}

} // namespace reference

// A small generator of its own, so every run sees the same cases.
class Cases {
public:
    unsigned Below(unsigned n) { return (FSeed = FSeed * 1103515245u + 12345u, (FSeed >> 16) & 0x7FFF) % n; }
    const AnsiString& Pick(const std::vector<AnsiString>& from) { return from[Below(static_cast<unsigned>(from.size()))]; }
    AnsiString Text(const std::vector<AnsiString>& from, unsigned most)
    {
        AnsiString text;
        for (unsigned n = Below(most + 1); n > 0; --n)
            text += Pick(from);
        return text;
    }

private:
    unsigned FSeed = 2026;
};

// Pieces of lines, descriptions and keywords: page text, references, markup of the program's own
// and stray brackets, a blank to span title and description, letters above 0x7F.
const std::vector<AnsiString> kPieces = {"Uutiset", "uutiset", "set", " ", "Päivän"_a, "&amp;", "&", "amp", "&lt;b&gt;",
                                         "<b>", "</b>", "<", ">", "FONT", "ON", "a", "ab", "\"", "&nbsp", "ä"_a};
const std::vector<AnsiString> kKeywords = {"Uutiset", "set", "Uu", "t P", "Uutiset Päivän"_a, "&", "&amp;", "amp",
                                           "<b>", "b", "ON", "FONT", "", "a", "ab", "aa", " ", "ä"_a, "\""};
// Colour marks, names that are no colour, and tags that are no colour mark, some of whose
// colour names still read as a colour.
const std::vector<AnsiString> kTags = {"<c:clRed>", "<c:clBlue>", "<c:clLime>", "<c:eiväri>"_a, "clYellow>", "<b>",
                                       "", "<c:<c:clAqua>", "<c:$0000FF00>", "<c:>"};
const std::vector<AnsiString> kStarts = {"06:00 ", "23:30 ", "30:15 ", "<b>06:", "06<b", "0", ""};

std::vector<ColouringEntry> SomeColourings(Cases& cases)
{
    std::vector<ColouringEntry> colourings(1 + cases.Below(6));
    for (ColouringEntry& colouring : colourings) {
        colouring.tag = cases.Pick(kTags);
        for (unsigned k = cases.Below(6); k > 0; --k)
            colouring.keywords.push_back(cases.Below(4) == 0 ? cases.Text(kPieces, 3) : cases.Pick(kKeywords));
    }
    return colourings;
}

} // namespace

// The look-up reports every colouring and keyword the text holds, in priority order and each
// colouring's keywords in order, whatever the tag; FirstMatch still passes over the colourings
// whose tag is no colour mark.
TEST(KeywordColourings, EveryMatchListsEachColouringAndKeywordInOrder)
{
    const KeywordColourings colourings({{"<c:clBlue>", {"Uutiset", "", "set", "Uutiset", "Elokuva"}},
                                        {"<b>", {"set", "t P"}},
                                        {"<c:clRed>", {"", "Uu", "uutiset"}},
                                        {"clLime>", {"Uutiset"}},
                                        {"<c:clRed>", {"Uutiset päivän tekstiä pidempi avainsana"_a}}});
    EXPECT_EQ(EveryMatchOf(colourings, "Uutiset Päivän uutiset"_a),
              (Matches {{0, 0}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 0}}));
    EXPECT_EQ(EveryMatchOf(colourings, "uutiset"), (Matches {{0, 2}, {1, 0}, {2, 2}}));
    EXPECT_EQ(EveryMatchOf(colourings, "Aamu"), Matches {});
    EXPECT_EQ(EveryMatchOf(colourings, ""), Matches {});
    EXPECT_EQ(colourings.FirstMatch("set"), 0);
    EXPECT_EQ(colourings.FirstMatch("t P"), -1);
    EXPECT_EQ(colourings.FirstMatch("Uu"), 2);

    EXPECT_EQ(EveryMatchOf(KeywordColourings({}), "Uutiset"), Matches {});
    EXPECT_EQ(EveryMatchOf(KeywordColourings({{"<c:clRed>", {"", ""}}}), "Uutiset"), Matches {});
}

// Written out once: two keywords of one colouring wrap the nested line twice; a colour name that
// is no colour is passed over; a tag that is no colour mark colours the page by the name it holds;
// a keyword may span the blank between title and description; the flat form keeps the last.
TEST(TableColourings, EachMatchingKeywordRewritesTheLineOnce)
{
    const std::vector<ColouringEntry> colourings = {{"<c:clBlue>", {"Uutiset", "", "uutiset"}},
                                                    {"<c:eiväri>"_a, {"Uutiset"}},
                                                    {"clLime>", {"Aamu"}},
                                                    {"<c:clRed>", {"Uutiset"}},
                                                    {"<c:clYellow>", {"set Päivän"_a}}};
    const TStringList descriptions = ListOf({"Päivän uutiset"_a});
    TStringList nested = ListOf({"06:00 Uutiset", "07:00 Aamu &amp; ilta", "08:00 Ilta"});
    ApplyColouringsHtml2(nested, descriptions, colourings);
    EXPECT_EQ(LinesOf(nested), (std::vector<AnsiString> {
                                   "06:00 <FONT COLOR=\"#FFFF00\"><FONT COLOR=\"#FF0000\"><FONT COLOR=\"#0000FF\">"
                                   "<FONT COLOR=\"#0000FF\">Uutiset</FONT></FONT></FONT></FONT>",
                                   "07:00 <FONT COLOR=\"#00FF00\">Aamu &amp; ilta</FONT>", "08:00 Ilta"}));
    TStringList flat = ListOf({"06:00 <b>Uutiset</b>", "07:00 Aamu &amp; ilta", "08:00 <b>Ilta</b>"});
    ApplyColouringsHtml(flat, descriptions, colourings);
    EXPECT_EQ(LinesOf(flat), (std::vector<AnsiString> {"06:00 <FONT COLOR=\"#FFFF00\">Uutiset</FONT>",
                                                       "07:00 <FONT COLOR=\"#00FF00\">Aamu &amp; ilta</FONT>",
                                                       "08:00 <b>Ilta</b>"}));
}

// Many generated lines and colourings, in both forms, against the old way of colouring: overlapping
// and repeated keywords, keywords across the blank before the description, markup-like keywords
// and "&", bad colour names and tags, lines whose first characters end inside a tag, fewer
// descriptions than lines.
TEST(TableColourings, GeneratedCasesComeOutAsTheOldLoopsWroteThem)
{
    Cases cases;
    int colouredLines = 0;
    int wrappedTwice = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::vector<ColouringEntry> colourings = SomeColourings(cases);
        TStringList programmes, descriptions;
        for (unsigned n = 1 + cases.Below(6); n > 0; --n) {
            programmes.Add(cases.Pick(kStarts) + cases.Text(kPieces, 5));
            if (cases.Below(5) != 0)
                descriptions.Add(cases.Text(kPieces, 4));
        }
        for (bool nested : {false, true}) {
            TStringList expected, actual;
            expected.Assign(programmes);
            actual.Assign(programmes);
            reference::Colour(expected, descriptions, colourings, nested);
            if (nested)
                ApplyColouringsHtml2(actual, descriptions, colourings);
            else
                ApplyColouringsHtml(actual, descriptions, colourings);
            ASSERT_EQ(LinesOf(actual), LinesOf(expected)) << "round " << round << (nested ? " nested" : " flat");
            for (int i = 0; i < expected.Count(); ++i) {
                colouredLines += expected[i] != programmes[i];
                wrappedTwice += nested && expected[i].find("<FONT", expected[i].find("<FONT") + 1) != AnsiString::npos;
            }
        }
    }
    // The cases reach what they are meant to.
    EXPECT_GT(colouredLines, 5000);
    EXPECT_GT(wrappedTwice, 1500);
}
