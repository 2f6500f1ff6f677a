// The kit's settings routines over either settings store: a value comes back as written from the
// INI file and from the registry alike, and an object that keeps no settings gives the defaults.
#include <gtest/gtest.h>
#include "core/TempFolder.h"
#include "kit/AppRoutines.h"
#include "platform/core/IniFile.h"
#include "platform/services/Registry.h"

namespace {

void ExpectValuesComeBackAsWritten(TObject* store)
{
    StorageWriteString(store, "Form", "Plain", "12,34");
    StorageWriteString(store, "Form", "Quoted", "\"Päivä\""_a);
    StorageWriteString(store, "Form", "Single", "'x'");
    StorageWriteInteger(store, "Form", "Left", -120);
    EXPECT_EQ(StorageReadString(store, "Form", "Plain", "-"), "12,34");
    EXPECT_EQ(StorageReadString(store, "form", "quoted", "-"), "\"Päivä\""_a);
    EXPECT_EQ(StorageReadString(store, "Form", "Single", "-"), "'x'");
    EXPECT_EQ(StorageReadInteger(store, "Form", "Left", 0), -120);

    StorageEraseSection(store, "Form");
    EXPECT_EQ(StorageReadString(store, "Form", "Plain", "gone"), "gone");
    EXPECT_EQ(StorageReadInteger(store, "Form", "Left", 7), 7);
}

} // namespace

TEST(SettingsStore, IniFileAndRegistryKeepValuesAlike)
{
    TempFolder folder;
    TIniFile ini(folder / "store.ini");
    ExpectValuesComeBackAsWritten(&ini);
    TRegIniFile registry("Software\\QexTest\\Store");
    ExpectValuesComeBackAsWritten(&registry);
}

TEST(SettingsStore, OtherObjectsKeepNothing)
{
    TObject nothing;
    StorageWriteString(&nothing, "Form", "Plain", "x");
    StorageWriteInteger(&nothing, "Form", "Left", 5);
    StorageEraseSection(&nothing, "Form");
    EXPECT_EQ(StorageReadString(&nothing, "Form", "Plain", "def"), "def");
    EXPECT_EQ(StorageReadInteger(&nothing, "Form", "Left", 3), 3);
    EXPECT_EQ(StorageReadString(nullptr, "Form", "Plain", "def"), "def");
}
