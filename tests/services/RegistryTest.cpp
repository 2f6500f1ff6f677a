#include "platform/core/Strings.h"
#include "platform/services/Registry.h"
#include <gtest/gtest.h>

// The store is one per process: every case works under a key of its own.

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
    reg.CloseKey();

    EXPECT_TRUE(reg.KeyExists("\\Software\\QexTest\\Tree\\Branch\\Leaf"));
    EXPECT_TRUE(reg.DeleteKey("\\Software\\QexTest\\Tree\\Branch"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\QexTest\\Tree\\Branch\\Leaf"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\QexTest\\Tree"));
    EXPECT_FALSE(reg.DeleteKey("\\Software\\QexTest\\Tree\\Branch"));

    // Another root is another tree.
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
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
