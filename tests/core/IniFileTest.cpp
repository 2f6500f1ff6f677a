// INI files: private-profile lookups and in-place writes over Windows-1252 bytes.
#include "TempFolder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/IniDocument.h"
#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include <array>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class Ini : public ::testing::Test {
protected:
    std::string Bytes() const { return TempFolder::Read(FPath); }
    void Given(const std::string& bytes) const { TempFolder::Write(FPath, bytes); }

    TempFolder FFolder;
    std::string FPath = FFolder / "QEX.INI";
    TIniFile FIni {FPath};
};

} // namespace

TEST_F(Ini, MissingFileReadsDefaultsAndIsNotCreatedByReading)
{
    EXPECT_EQ(FIni.ReadString("Muut", "Avain", "oletus"), "oletus");
    EXPECT_EQ(FIni.ReadInteger("Muut", "Avain", 7), 7);
    EXPECT_TRUE(FIni.ReadBool("Muut", "Avain", true));
    EXPECT_FALSE(FIni.SectionExists("Muut"));
    EXPECT_FALSE(std::filesystem::exists(FPath));
}

TEST_F(Ini, WriteCreatesTheFileWithCrLf)
{
    FIni.WriteString("Muut", "Nimi", "arvo");
    FIni.WriteBool("Muut", "Lippu", true);
    FIni.WriteInteger("Toinen", "Luku", -3);
    EXPECT_EQ(Bytes(), "[Muut]\r\nNimi=arvo\r\nLippu=1\r\n\r\n[Toinen]\r\nLuku=-3\r\n");
}

TEST_F(Ini, Windows1252NamesSurviveByteForByte)
{
    FIni.WriteString("Asetukset"_a, "KäynnistäPienennettynä"_a, "Kyllä ¤¤ €"_a);
    FIni.WriteString("Näkymät"_a, "OmaNäkymä0"_a, "x");
    EXPECT_EQ(Bytes(), "[Asetukset]\r\nK\xE4ynnist\xE4Pienennettyn\xE4=Kyll\xE4 \xA4\xA4 \x80\r\n"
                       "\r\n[N\xE4kym\xE4t]\r\nOmaN\xE4kym\xE4" "0=x\r\n");
    EXPECT_EQ(FIni.ReadString("Asetukset"_a, "KäynnistäPienennettynä"_a, ""), "Kyllä ¤¤ €"_a);
    // Case is ignored for every Windows-1252 letter, ä and Ä included.
    EXPECT_EQ(FIni.ReadString("NÄKYMÄT"_a, "omanäkymä0"_a, ""), "x");
}

TEST_F(Ini, ValuesAreTrimmedAndLoseOnePairOfQuotes)
{
    Given("[S]\r\n a = spaced \r\nq=\"  quoted  \"\r\nqq=\"\"x\"\"\r\nsingle='s'\r\nodd=\"x\r\nempty=\r\n");
    EXPECT_EQ(FIni.ReadString("s", "A", "-"), "spaced");
    EXPECT_EQ(FIni.ReadString("S", "q", "-"), "  quoted  ");
    EXPECT_EQ(FIni.ReadString("S", "qq", "-"), "\"x\"");
    EXPECT_EQ(FIni.ReadString("S", "single", "-"), "s");
    EXPECT_EQ(FIni.ReadString("S", "odd", "-"), "\"x");
    EXPECT_EQ(FIni.ReadString("S", "empty", "-"), "");
    EXPECT_TRUE(FIni.ValueExists("S", "empty"));
}

TEST_F(Ini, FirstDuplicateSectionAndKeyWin)
{
    Given("[S]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\nonly=later\r\n");
    EXPECT_EQ(FIni.ReadString("S", "K", ""), "first");
    EXPECT_EQ(FIni.ReadString("S", "only", "default"), "default");
    FIni.WriteString("S", "k", "new");
    EXPECT_EQ(Bytes(), "[S]\r\nk=new\r\nk=second\r\n[s]\r\nk=third\r\nonly=later\r\n");
    TStringList sections;
    FIni.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), "S");
    TStringList keys;
    FIni.ReadSection("s", keys);
    EXPECT_EQ(keys.CommaText(), "k");
}

TEST_F(Ini, WritesChangeOneLineAndKeepTheRest)
{
    Given("; comment\n[A]\nKey = old ; note\nOther=1\n\n[B]\nx=2\n");
    FIni.WriteString("a", "KEY", "new");
    FIni.WriteString("A", "Added", "3");
    EXPECT_EQ(Bytes(), "; comment\r\n[A]\r\nKey = new\r\nOther=1\r\nAdded=3\r\n\r\n[B]\r\nx=2\r\n");
}

TEST_F(Ini, WrittenLineBreaksCannotForgeLines)
{
    FIni.WriteString("S", "k", "a\r\n[T]\r\nx=1");
    EXPECT_FALSE(FIni.SectionExists("T"));
    EXPECT_EQ(FIni.ReadString("S", "k", ""), "a  [T]  x=1");
}

TEST_F(Ini, EraseSectionAndDeleteKey)
{
    Given("[A]\r\nk=1\r\nj=2\r\n[B]\r\nk=3\r\n");
    FIni.DeleteKey("A", "K");
    EXPECT_EQ(FIni.ReadString("A", "k", "gone"), "gone");
    EXPECT_EQ(FIni.ReadString("A", "j", ""), "2");
    FIni.EraseSection("a");
    EXPECT_EQ(Bytes(), "[B]\r\nk=3\r\n");
}

TEST_F(Ini, NumbersAndBooleans)
{
    Given("[N]\r\nhex=0x10\r\ndollar=$10\r\nbad=12abc\r\nzero=0\r\nyes=1\r\n");
    EXPECT_EQ(FIni.ReadInteger("N", "hex", 0), 16);
    EXPECT_EQ(FIni.ReadInteger("N", "dollar", 0), 16);
    EXPECT_EQ(FIni.ReadInteger("N", "bad", -1), -1);
    EXPECT_FALSE(FIni.ReadBool("N", "zero", true));
    EXPECT_TRUE(FIni.ReadBool("N", "yes", false));
    EXPECT_TRUE(FIni.ReadBool("N", "bad", true));
}

TEST_F(Ini, LinesOutsideSectionsAndJunkAreIgnored)
{
    Given(std::string("k=before\r\n[S\r\ngarbage\r\n[S]\r\nk=in\0side\r\n", 39));
    EXPECT_EQ(FIni.ReadString("S", "k", ""), std::string("in\0side", 7));
    FIni.WriteString("S", "new", "1");
    EXPECT_EQ(Bytes(), std::string("k=before\r\n[S\r\ngarbage\r\n[S]\r\nk=in\0side\r\nnew=1\r\n", 46));
}

TEST_F(Ini, UnwritableFileRaisesAndKeepsTheOld)
{
    TIniFile nowhere(FFolder / "missing/QEX.INI");
    try {
        nowhere.WriteString("S", "k", "v");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Unable to write to " + (FFolder / "missing/QEX.INI"));
    }
}

// A write that would leave the same bytes leaves the file itself alone (no new file, no wait for
// the disk); one that changes anything, even only the line ends, replaces it.
TEST_F(Ini, AWriteThatChangesNothingLeavesTheFileAlone)
{
    Given("[Muut]\r\nPPalkki=1\r\n");
    const auto inode = [this] {
        struct stat status {};
        return ::stat(FPath.c_str(), &status) == 0 ? status.st_ino : 0;
    };
    const auto before = inode();
    FIni.WriteBool("muut", "ppalkki", true);
    FIni.WriteString("MUUT", "PPALKKI", "1");
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(Bytes(), "[Muut]\r\nPPalkki=1\r\n");

    FIni.WriteBool("Muut", "PPalkki", false);
    EXPECT_NE(inode(), before);
    EXPECT_EQ(Bytes(), "[Muut]\r\nPPalkki=0\r\n");

    Given("[Muut]\nPPalkki=0\n");
    FIni.WriteBool("Muut", "PPalkki", false);
    EXPECT_EQ(Bytes(), "[Muut]\r\nPPalkki=0\r\n");
}

namespace {

// Changes of every kind, on names in other letter cases, into a file with comments, duplicates,
// quotes and blank lines between sections.
void ChangeEveryWay(TIniFile& ini)
{
    ini.WriteString("Muut", "ProxyIP", "uusi");
    ini.WriteString("MUUT", "Uusi", "1");
    ini.WriteString("C", "k", "v");
    ini.WriteString("b", "X", "3");
    ini.DeleteKey("b", "x");
    ini.EraseSection("C");
    ini.WriteString("D", "k", "rivi\r\nvaihto");
    ini.WriteBool("Muut", "Lippu", true);
}

const std::string kTrickyFile = "; kommentti\r\n[muut]\r\nproxyip = \"vanha\"\r\n\r\n[B]\r\nx=1\r\nx=2\r\n\r\n";

} // namespace

TEST_F(Ini, AnUpdateWritesOnceTheBytesTheSingleWritesWouldHaveLeft)
{
    const std::string singlePath = FFolder / "single.ini";
    TempFolder::Write(singlePath, kTrickyFile);
    TIniFile single(singlePath);
    ChangeEveryWay(single);

    Given(kTrickyFile);
    int writes = 0;
    SetFileFault([&](const AnsiString& path, bool writing) {
        writes += writing && path == FPath;
        return 0;
    });
    FIni.BeginUpdate();
    ChangeEveryWay(FIni);
    EXPECT_EQ(Bytes(), kTrickyFile) << "nothing is written before UpdateFile";
    EXPECT_EQ(FIni.ReadString("Muut", "Uusi", ""), "1") << "reads see the changes made so far";
    EXPECT_FALSE(FIni.SectionExists("C"));
    FIni.UpdateFile();
    SetFileFault(nullptr);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(Bytes(), TempFolder::Read(singlePath));
}

TEST_F(Ini, AnUpdateLeftUnfinishedOrFailingLeavesTheFileAsItWas)
{
    Given(kTrickyFile);
    {
        TIniFile ini(FPath);
        ini.BeginUpdate();
        ChangeEveryWay(ini);
    }
    EXPECT_EQ(Bytes(), kTrickyFile);

    FIni.BeginUpdate();
    ChangeEveryWay(FIni);
    SetFileFault([](const AnsiString&, bool writing) { return writing ? ENOSPC : 0; });
    EXPECT_THROW(FIni.UpdateFile(), Exception);
    SetFileFault(nullptr);
    EXPECT_EQ(Bytes(), kTrickyFile);
    // The update is over: the next write goes to the file at once.
    FIni.WriteString("Muut", "Uusi", "2");
    EXPECT_EQ(TIniFile(FPath).ReadString("Muut", "Uusi", ""), "2");
}

namespace {

// Every question a reader may ask, answered by two documents alike.
void ExpectSameAnswers(const IniDocument& changed, const IniDocument& fresh, const std::vector<AnsiString>& names)
{
    EXPECT_EQ(changed.Sections(), fresh.Sections());
    for (const AnsiString& section : names) {
        EXPECT_EQ(changed.HasSection(section), fresh.HasSection(section)) << section;
        EXPECT_EQ(changed.Keys(section), fresh.Keys(section)) << section;
        for (const AnsiString& key : names)
            EXPECT_EQ(changed.Value(section, key), fresh.Value(section, key)) << section << "/" << key;
    }
}

} // namespace

// The names are found through an index kept along with the lines: after any change, a document
// answers exactly as the same bytes read afresh, whatever the change did to the layout.
TEST(IniDocumentIndex, AChangedDocumentAnswersAsItsBytesReadAfresh)
{
    IniDocument document("k=before\r\n[A]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n[a]\r\nx=dup\r\nz=3\r\n[C]\r\n\r\n");
    const std::vector<AnsiString> names = {"A", "a", "B", "C", "D", "X", "[X]", "x", "y", "z", "k", "n", "", " x"};
    const std::vector<std::function<void(IniDocument&)>> changes = {
        [](IniDocument& d) { d.SetValue("A", "n", "new"); },       // into a section before others
        [](IniDocument& d) { d.SetValue("a", "X", "changed"); },   // in place
        [](IniDocument& d) { d.SetValue("C", "z", "9"); },         // before the blank lines at the end
        [](IniDocument& d) { d.SetValue("B", "[X]", "v"); },       // a key that starts a section
        [](IniDocument& d) { d.SetValue("X", "x", "in X"); },      // into the section it started
        [](IniDocument& d) { d.SetValue("B", " x", "blank"); },    // a key whose line names "x"
        [](IniDocument& d) { d.SetValue("B", "", "nameless"); },
        [](IniDocument& d) { d.SetValue("D", "k", "appended"); },  // a new section
        [](IniDocument& d) { d.DeleteKey("A", "x"); },
        [](IniDocument& d) { d.SetValue("A", "x", "again"); },
        [](IniDocument& d) { d.EraseSection("b"); },
        [](IniDocument& d) { d.SetValue("B", "y", "first B is gone"); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        changes[i](document);
        ExpectSameAnswers(document, IniDocument(document.Bytes()), names);
    }
    EXPECT_EQ(document.Value("X", "x"), AnsiString("in X"));
    EXPECT_EQ(document.Value("a", "N"), AnsiString("new"));
}

// A write can be known to change nothing from the parsed copy alone: the copy tells whether its
// bytes are the file's own and whether a value would leave its line as it is.
TEST(IniDocumentIndex, ADocumentKnowsWhenAWriteWouldChangeNoByte)
{
    // Every text of up to five characters from "a\r\n=".
    const std::string letters = "a\r\n=";
    std::vector<std::string> texts = {""};
    for (std::size_t from = 0; texts[from].size() < 5; ++from)
        for (char c : letters)
            texts.push_back(texts[from] + c);
    for (const std::string& text : texts)
        EXPECT_EQ(IniDocument(text).WrittenAsRead(), IniDocument(text).Bytes() == text) << testing::PrintToString(text);

    const IniDocument document("[S]\r\nk=1\r\nq = \"1\"\r\nt=\t2 \r\nu=a b\r\n[s]\r\nw=3\r\n");
    const std::vector<std::array<const char*, 3>> writes = {
        {"S", "k", "1"}, {"s", "K", "1"}, {"S", "k", "01"}, {"S", "q", "1"}, {"S", "q", "\"1\""},
        {"S", "t", "2 "}, {"S", "t", "2"}, {"S", "u", "a\nb"}, {"S", "u", "a b"}, {"S", "w", "3"},
        {"S", "missing", ""}, {"T", "k", "1"}, {"S", "k\n", "1"},
    };
    for (const auto& [section, key, value] : writes) {
        IniDocument written = document;
        written.SetValue(section, key, value);
        EXPECT_EQ(document.Holds(section, key, value), written.Bytes() == document.Bytes())
            << section << " " << key << "=" << value;
        EXPECT_FALSE(written.WrittenAsRead());
    }
}
