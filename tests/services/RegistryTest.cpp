#include "core/TempFolder.h"
#include "platform/core/Strings.h"
#include "platform/services/Registry.h"
#include "platform/services/RegistryFile.h"
#include <QProcess>
#include <cstdlib>
#include <gtest/gtest.h>

// The store is one per process and its file is in the test's own configuration folder: every
// case works under a key of its own.

namespace {

// Points the registry file at a folder of the case's own while it lives.
class ConfigFolder {
public:
    ConfigFolder()
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        FOld = old ? old : "";
        setenv("XDG_CONFIG_HOME", FFolder.Path().c_str(), 1);
    }
    ~ConfigFolder() { setenv("XDG_CONFIG_HOME", FOld.c_str(), 1); }
    ConfigFolder(const ConfigFolder&) = delete;
    ConfigFolder& operator=(const ConfigFolder&) = delete;

    std::string Path() const { return FFolder.Path(); }
    std::string File() const { return FFolder.Path() + "qex/registry"; }

private:
    TempFolder FFolder;
    std::string FOld;
};

// Runs the peer on the folder; its output, or a failure that says why.
std::string RunPeer(const std::string& folder)
{
    QProcess peer;
    peer.start(QEX_REGISTRY_PEER, {QString::fromStdString(folder)});
    if (!peer.waitForFinished(60000))
        return "the peer did not end: " + peer.errorString().toStdString();
    std::string output = peer.readAllStandardOutput().toStdString();
    if (peer.exitStatus() != QProcess::NormalExit || peer.exitCode() != 0)
        return "the peer failed (" + std::to_string(peer.exitCode()) + "): " + output;
    return output;
}

} // namespace

TEST(RegistryFile, WhatOneProcessSavesTheNextReadsAndAnswers)
{
    ConfigFolder config;
    const AnsiString caption = "\"Quoted\" 100% [x] a\\b \xE4\r\nnext";
    {
        TRegIniFile ini("Software\\QexTest\\Restart");
        ini.WriteInteger("Form", "Left", 20);
        ini.WriteString("Form", "Caption", caption);
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Restart\\Numbers", true));
        reg.WriteInteger("Count", -7);
        // The system's own settings (the browser's among them) stay in this process.
        ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft\\QexTest", true));
        reg.WriteString("Value", "in memory");
    }
    EXPECT_EQ(RunPeer(config.Path()), "20\n" + caption + "\n-7\nno system key\n");

    TRegIniFile ini("Software\\QexTest\\Restart");
    EXPECT_EQ(ini.ReadString("Answer", "From", "nothing"), "the second process") << "the peer's save is read again";
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Microsoft\\QexTest")) << "re-reading keeps the process's own keys";
    EXPECT_EQ(reg.ReadString("Value"), "in memory");
    EXPECT_EQ(TempFolder::Read(config.File()).find("Microsoft"), std::string::npos);
}

TEST(RegistryFile, AWriteThatCannotBeSavedRaisesAndLeavesNothingSet)
{
    ConfigFolder config;
    // The configuration folder is a file: no folder of the program's own can be made in it.
    TempFolder::Write(config.Path() + "blocked", "x");
    setenv("XDG_CONFIG_HOME", (config.Path() + "blocked").c_str(), 1);
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("\\Software\\QexTest\\Blocked", true));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft\\QexTest\\Blocked", true)) << "a process-only key needs no file";
    reg.CloseKey();

    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    TRegIniFile ini("Software\\QexTest\\Blocked");
    ini.WriteString("Form", "Left", "10");
    setenv("XDG_CONFIG_HOME", (config.Path() + "blocked").c_str(), 1);
    try {
        ini.WriteString("Form", "Left", "99");
        FAIL() << "a write that was not saved reported success";
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Left'");
    }
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    EXPECT_EQ(ini.ReadString("Form", "Left", "none"), "10") << "the saved value stands";
}

TEST(RegistryFile, ADamagedFileKeepsWhatCanBeReadAndIsWrittenWholeAgain)
{
    ConfigFolder config;
    std::filesystem::create_directories(config.Path() + "qex");
    TempFolder::Write(config.File(), "garbage \x01\x02\n"
                                     "\"Orphan\"=\"before any key\"\n"
                                     "[HKEY_CURRENT_USER\\Software\\QexTest\\Damaged]\n"
                                     "\"Good\"=\"kept\"\n"
                                     "\"Bad\"=dword:xyz\n"
                                     "\"Cut\"=\"no end\n"
                                     "[NOT_A_ROOT\\Software]\n"
                                     "\"Lost\"=\"under no root\"\n"
                                     "[HKEY_CURRENT_USER\\Software\\QexTest\\Damaged\\Sub]\r\n"
                                     "\"N\"=dword:0000002A\r\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\QexTest\\Damaged"));
    TStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(names.Text(), "Good\r\n");
    EXPECT_EQ(reg.ReadString("Good"), "kept");
    ASSERT_TRUE(reg.OpenKeyReadOnly("Sub")) << "lines may end in CR LF";
    EXPECT_EQ(reg.ReadInteger("N"), 42);

    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Damaged", false));
    reg.WriteString("New", "value");
    const std::string written = TempFolder::Read(config.File());
    EXPECT_EQ(written.find("garbage"), std::string::npos);
    EXPECT_NE(written.find("\"New\"=\"value\""), std::string::npos) << written;
    EXPECT_NE(written.find("\"N\"=dword:0000002A"), std::string::npos) << written;
}

// What another copy or the user wrote into the file is read with each %HH where it stands: first
// or last in a name, a text or a key's name; a '%' without two hex digits after it is itself.
TEST(RegistryFile, ReadsAnEscapeAtEitherEndOfANameOrText)
{
    const struct {
        const char* line;
        const char* name;
        const char* text;
    } cases[] = {
        {"\"%22Quoted\"=\"%25 done\"", "\"Quoted", "% done"},
        {"\"Quoted%22\"=\"%5Cpath%5C\"", "Quoted\"", "\\path\\"},
        {"\"%41\"=\"%0D%0A\"", "A", "\r\n"},
        {"\"Cut\"=\"100%\"", "Cut", "100%"},
        {"\"Cut2\"=\"x%4\"", "Cut2", "x%4"},
    };
    for (const auto& c : cases) {
        RegRoots roots = ParseRegistryFile(std::string("[HKEY_CURRENT_USER\\Software\\%5BQex%5D]\n") + c.line + "\n");
        RegKey* key = FindRegKey(roots[HKEY_CURRENT_USER], {"Software", "[Qex]"});
        ASSERT_NE(key, nullptr) << c.line;
        auto value = key->values.find(FoldRegName(c.name));
        ASSERT_NE(value, key->values.end()) << c.line;
        EXPECT_EQ(value->second.name, c.name);
        EXPECT_EQ(value->second.text, c.text) << c.line;
    }
}

TEST(Registry, ValuesRoundTripAndNamesIgnoreCase)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\RoundTrip", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\QexTest\\RoundTrip");
    reg.WriteString("Nimi", "H\xE4ly");
    reg.WriteInteger("Luku", -7);
    reg.WriteString("", "unnamed");
    EXPECT_EQ(reg.ReadString("NIMI"), "H\xE4ly");
    EXPECT_EQ(reg.ReadInteger("luku"), -7);
    EXPECT_EQ(reg.ReadString(""), "unnamed");
    EXPECT_EQ(reg.ReadString("missing"), "");
    reg.CloseKey();

    TRegistry other;
    ASSERT_TRUE(other.OpenKeyReadOnly("\\SOFTWARE\\qextest\\roundtrip"));
    EXPECT_EQ(other.ReadString("nimi"), "H\xE4ly");
    TStringList names;
    other.GetValueNames(names);
    EXPECT_EQ(names.Count(), 3);
}

TEST(Registry, WrongTypesAndReadOnlyKeysRaiseTheClassLibraryTexts)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Types", true));
    reg.WriteString("s", "1");
    try {
        reg.ReadInteger("s");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, "Invalid data type for 's'");
    }
    EXPECT_THROW(reg.ReadInteger("absent"), ERegistryException);
    reg.WriteInteger("n", 1);
    EXPECT_THROW(reg.ReadString("n"), ERegistryException);

    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\QexTest\\Types"));
    try {
        reg.WriteString("s", "2");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, "Failed to set data for 's'");
    }
    EXPECT_FALSE(reg.DeleteValue("s"));
    EXPECT_EQ(reg.ReadString("s"), "1");
}

TEST(Registry, KeysOpenRelativeToTheOpenKeyAndDeleteWithEverythingBelow)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("\\Software\\QexTest\\Tree", false));
    EXPECT_FALSE(reg.KeyExists("\\Software\\QexTest\\Tree"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Tree", true));
    ASSERT_TRUE(reg.OpenKey("Branch\\Leaf", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\QexTest\\Tree\\Branch\\Leaf");
    reg.WriteString("v", "x");
    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Tree\\Other", true));
    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Tree", false));
    TStringList names;
    reg.GetKeyNames(names);
    EXPECT_EQ(names.Text(), "Branch\r\nOther\r\n") << "the sub-keys under the open key, as they were spelt";
    EXPECT_TRUE(reg.HasCurrentKey());
    reg.CloseKey();
    EXPECT_FALSE(reg.HasCurrentKey());
    reg.GetKeyNames(names);
    EXPECT_EQ(names.Count(), 0) << "no key open, no names";

    EXPECT_TRUE(reg.KeyExists("\\Software\\QexTest\\Tree\\Branch\\Leaf"));
    EXPECT_TRUE(reg.DeleteKey("\\Software\\QexTest\\Tree\\Branch"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\QexTest\\Tree\\Branch\\Leaf"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\QexTest\\Tree"));
    EXPECT_FALSE(reg.DeleteKey("\\Software\\QexTest\\Tree\\Branch"));

    // Another root is another tree, and changing the root closes the key.
    ASSERT_TRUE(reg.OpenKey("\\Software\\QexTest\\Tree", false));
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_FALSE(reg.KeyExists("\\Software\\QexTest\\Tree"));
}

TEST(Registry, RegIniFileKeepsSectionsAsSubKeysAndNumbersAsText)
{
    TRegIniFile ini("Software\\QexTest\\Ini");
    EXPECT_EQ(ini.ReadString("Form", "Left", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 5), 5);
    ini.WriteInteger("Form", "Left", 120);
    ini.WriteBool("Form", "Max", true);
    EXPECT_EQ(ini.ReadInteger("form", "left", 5), 120);
    EXPECT_TRUE(ini.ReadBool("Form", "Max", false));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\QexTest\\Ini\\Form"));
    EXPECT_EQ(reg.GetDataType("Left"), TRegDataType::rdString);
    EXPECT_EQ(reg.ReadString("Left"), "120");

    ini.WriteString("Form", "Left", "not a number");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 5), 5);
    ini.DeleteKey("Form", "Left");
    EXPECT_EQ(ini.ReadString("Form", "Left", "gone"), "gone");
    ini.EraseSection("Form");
    TStringList idents;
    ini.ReadSection("Form", idents);
    EXPECT_EQ(idents.Count(), 0);
}
