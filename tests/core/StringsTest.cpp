// String lists: the Text setter's line rules, case-blind search and sort, index errors, files.
#include "TempFolder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include <gtest/gtest.h>

namespace {

std::vector<AnsiString> Lines(const AnsiString& text)
{
    TStringList list;
    list.SetText(text);
    std::vector<AnsiString> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list[i]);
    return out;
}

using V = std::vector<AnsiString>;

} // namespace

TEST(TextSetter, BreaksAtCrLfLoneCrAndLoneLf)
{
    EXPECT_EQ(Lines("a\r\nb\rc\nd"), (V {"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n\r\nb"), (V {"a", "", "b"}));
    // LF CR is two breaks, with an empty line between them.
    EXPECT_EQ(Lines("a\n\rb"), (V {"a", "", "b"}));
}

TEST(TextSetter, TrailingBreakAddsNoEmptyLine)
{
    EXPECT_EQ(Lines("a\r\n"), (V {"a"}));
    EXPECT_EQ(Lines("a\r\n\r\n"), (V {"a", ""}));
    EXPECT_EQ(Lines("\r\n"), (V {""}));
    EXPECT_EQ(Lines(""), (V {}));
    // A programme text and its description: two CR LF pairs at the end leave one empty line.
    EXPECT_EQ(Lines("12:00 Uutiset\r\nKuvaus\r\n\r\n"), (V {"12:00 Uutiset", "Kuvaus", ""}));
}

// The splitting looks ahead for the next break instead of testing every character: it splits
// every text as the plain walk does, whatever its mix of CR, LF and other bytes.
TEST(TextSetter, SplitsEveryMixOfBreaksAsThePlainWalk)
{
    auto walk = [](std::string_view text) {
        std::vector<AnsiString> lines;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t start = i;
            while (i < text.size() && text[i] != '\r' && text[i] != '\n')
                ++i;
            lines.emplace_back(text.substr(start, i - start));
            i += i < text.size() && text[i] == '\r';
            i += i < text.size() && text[i] == '\n';
        }
        return lines;
    };
    std::vector<std::string> texts = {""};
    for (std::size_t from = 0; texts[from].size() < 7; ++from)
        for (char c : std::string("a\r\n"))
            texts.push_back(texts[from] + c);
    for (const std::string& text : texts)
        EXPECT_EQ(SplitLines(text), walk(text)) << testing::PrintToString(text);
}

TEST(TextSetter, StopsAtNul)
{
    EXPECT_EQ(Lines(AnsiString("a\r\nb\0c\r\nd", 10)), (V {"a", "b"}));
    EXPECT_EQ(Lines(AnsiString("\0abc", 4)), (V {}));
}

TEST(TextGetter, EndsEveryLineWithCrLf)
{
    TStringList list;
    list.Add("a");
    list.Add("");
    EXPECT_EQ(list.Text(), "a\r\n\r\n");
    list.SetText(list.Text());
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, IndexOfIgnoresAsciiCaseOnly)
{
    TStringList list;
    list.Add("Yle TV1");
    list.Add("Ä"_a);
    EXPECT_EQ(list.IndexOf("YLE tv1"), 0);
    EXPECT_EQ(list.IndexOf("ä"_a), -1);
    EXPECT_EQ(list.IndexOf("Ä"_a), 1);
    EXPECT_EQ(list.IndexOf("missing"), -1);
}

TEST(StringList, SortIgnoresCaseAndKeepsEqualsInOrder)
{
    TStringList list;
    TObject tagB, tagb;
    list.AddObject("b", &tagb);
    list.Add("C");
    list.AddObject("B", &tagB);
    list.Add("a");
    list.Sort();
    EXPECT_EQ(list.CommaText(), "a,b,B,C");
    EXPECT_EQ(list.Objects(1), &tagb);
    EXPECT_EQ(list.Objects(2), &tagB);
}

TEST(StringList, BadIndexRaisesWithTheIndex)
{
    TStringList list;
    list.Add("x");
    for (int bad : {-1, 1, 5}) {
        try {
            list.Get(bad);
            ADD_FAILURE() << bad;
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message, "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(list.Delete(1), EStringListError);
    EXPECT_THROW(list.Insert(3, "y"), EStringListError);
    list.Insert(1, "y"); // at the end is allowed
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, SortedListKeepsOrderAndHandlesDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    list.Add("pear");
    list.Add("Apple");
    EXPECT_EQ(list.Add("APPLE"), 0); // ignored: the first stays
    EXPECT_EQ(list.CommaText(), "Apple,pear");
    EXPECT_EQ(list.IndexOf("PEAR"), 1);
    list.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(list.Add("apple"), EStringListError);
    list.Duplicates = TDuplicates::dupAccept;
    list.Add("apple");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST(StringList, ChangeEventsWaitForTheLastEndUpdate)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.SetText("x\r\ny\r\nz");
    EXPECT_EQ(changes, 3);
}

TEST(StringList, MoveAndExchangeCarryObjects)
{
    TStringList list;
    TObject a, c;
    list.AddObject("a", &a);
    list.Add("b");
    list.AddObject("c", &c);
    list.Move(0, 2);
    EXPECT_EQ(list.CommaText(), "b,c,a");
    EXPECT_EQ(list.Objects(2), &a);
    list.Exchange(0, 1);
    EXPECT_EQ(list.CommaText(), "c,b,a");
    EXPECT_EQ(list.Objects(0), &c);
    EXPECT_EQ(list.IndexOfObject(&a), 2);
}

TEST(CommaText, QuotesWhereNeededAndReadsBack)
{
    TStringList list;
    list.Add("plain");
    list.Add("with blank");
    list.Add("say \"hi\"");
    list.Add("");
    list.Add("a,b");
    list.Add("wow!");    // the first character above the blank needs no quotes
    list.Add("tab\x1F"); // a control character does
    AnsiString text = list.CommaText();
    EXPECT_EQ(text, "plain,\"with blank\",\"say \"\"hi\"\"\",,\"a,b\",wow!,\"tab\x1F\"");
    TStringList back;
    back.SetCommaText(text);
    EXPECT_EQ(back.Text(), list.Text());
    back.SetCommaText(" a , b ,\"unclosed");
    EXPECT_EQ(back.Text(), "a\r\nb\r\nunclosed\r\n");
}

// A doubled quote inside quotes stands for one, also as the first or last character of an element
// and at the very end of the text.
TEST(CommaText, ReadsADoubledQuoteAtEitherEnd)
{
    const struct {
        const char* text;
        const char* lines;
    } cases[] = {
        {"\"\"\"a\"", "\"a\r\n"},
        {"\"a\"\"\"", "a\"\r\n"},
        {"\"\"\"\"", "\"\r\n"},
        {"x,\"a\"\"\"", "x\r\na\"\r\n"},
        {"\"\"\"a\"\"\",x", "\"a\"\r\nx\r\n"},
        {"\"a\"\"", "a\"\r\n"},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetCommaText(c.text);
        EXPECT_EQ(list.Text(), c.lines) << c.text;
    }
}

TEST(StringListFiles, SaveWritesCrLfAndLoadReadsAnyBreaks)
{
    TempFolder folder;
    TStringList list;
    list.Add("Hälytykset"_a);
    list.Add("");
    list.SaveToFile(folder / "list.txt");
    EXPECT_EQ(TempFolder::Read(folder / "list.txt"), "H\xE4lytykset\r\n\r\n");

    TempFolder::Write(folder / "unix.txt", "one\ntwo\n");
    list.LoadFromFile(folder / "unix.txt");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
    try {
        list.LoadFromFile(folder / "missing.txt");
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file " + (folder / "missing.txt"));
    }
    EXPECT_EQ(list.Count(), 2); // a failed load keeps the contents
}
