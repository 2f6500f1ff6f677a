#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "platform/core/Files.h"
#include "support/ListingFixture.h"
#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { SetExeFolder(folder.Path()); }
    void TearDown() override { SetExeFolder(""); }
    fixture::TempFolder folder;
};

TEST_F(SettingsTest, MissingFileReadsDefaultsAndAWriteCreatesIt)
{
    EXPECT_EQ(IniReadString("Muut", "ProxyPortti", "80"), "80");
    EXPECT_FALSE(FileExists(SettingsFilePath()));
    IniWriteValue("Muut", "PPalkki", true, 'B');
    EXPECT_TRUE(FileExists(SettingsFilePath()));
    EXPECT_EQ(IniReadString("Muut", "PPalkki", "x"), "1");
    IniWriteValue("Muut", "PPalkki", false, 'B');
    EXPECT_EQ(IniReadString("Muut", "PPalkki", "x"), "0");
}

TEST_F(SettingsTest, FinnishSectionAndKeyNamesSurviveByteForByte)
{
    IniWriteValue("Hälytys"_a, "AutomaattisestiLisättävät"_a, AnsiString("Uutiset;Sää;"_a), 'S');
    IniWriteValue("Muut", "KäynnistäPienennettynä"_a, true, 'B');
    EXPECT_EQ(IniReadString("Hälytys"_a, "AutomaattisestiLisättävät"_a, ""), "Uutiset;Sää;"_a);
    EXPECT_EQ(IniReadString("muut", "KÄYNNISTÄPIENENNETTYNÄ"_a, "0"), "1");
    std::string bytes = ReadWholeFile(SettingsFilePath());
    EXPECT_NE(bytes.find("[H\xE4lytys]\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("K\xE4ynnist\xE4Pienennettyn\xE4=1\r\n"), std::string::npos);
}

TEST_F(SettingsTest, UnknownKindWritesNothingAndBadNumbersFallBack)
{
    IniWriteValue("Muut", "X", AnsiString("arvo"), 'Z');
    EXPECT_FALSE(FileExists(SettingsFilePath()));
    IniWriteValue("Hälytys"_a, "MinuutitEnnenOhjelmaa", AnsiString("viisi"), 'S');
    EXPECT_EQ(IniReadInteger("Hälytys"_a, "MinuutitEnnenOhjelmaa", 5), 5);
    IniWriteValue("Hälytys"_a, "MinuutitEnnenOhjelmaa", 12, 'S');
    EXPECT_EQ(IniReadInteger("Hälytys"_a, "MinuutitEnnenOhjelmaa", 5), 12);
}

// Reading every setting a window needs, a thousand colourings among them, reads the file once;
// a change made meanwhile by another program is read at the next look.
TEST_F(SettingsTest, ManyReadsOfUnchangedSettingsReadTheFileOnce)
{
    std::string text = "[V\xE4ritys]\r\nOmiaV\xE4rityksi\xE4=999\r\n";
    for (int i = 0; i < 1000; ++i)
        text += "OmaV\xE4ritys" + std::to_string(i) + "=<c:clred>Sana" + std::to_string(i) + ";\r\n";
    fixture::WriteBytes(SettingsFilePath(), text);
    int opens = 0;
    SetFileFault([&](const AnsiString& path, bool writing) {
        opens += !writing && path == SettingsFilePath();
        return 0;
    });
    EXPECT_EQ(ColouringEntriesOf(*SettingsDocument()).size(), 1000u);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(IniReadString("V\xE4ritys", "OmaV\xE4ritys" + std::to_string(i), ""),
                  "<c:clred>Sana" + std::to_string(i) + ";");
    EXPECT_EQ(opens, 1);

    fixture::WriteBytes(SettingsFilePath(), "[V\xE4ritys]\r\nOmaV\xE4ritys0=<c:clblue>Uusi;\r\n");
    EXPECT_EQ(ColouringEntriesOf(*SettingsDocument()).at(0).tag, "<c:clblue>");
    SetFileFault(nullptr);
    EXPECT_EQ(opens, 2);
}

} // namespace
