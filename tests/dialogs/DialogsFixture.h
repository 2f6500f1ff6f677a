// The dialogs run in-process with a program folder in a temporary folder, a settings file
// written as bytes, a fixed clock when a test sets one, and a modal handler that answers the
// boxes the test prepares and fails on any other.
#pragma once
#include "forms/FormsFixture.h"
#include "kit/DualListForm.h"
#include "kit/TextListBox.h"
#include "platform/forms/Button.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <string>
#include <utility>
#include <vector>

class DialogsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        SetExeFolder(Folder.Path());
        ASSERT_TRUE(ForceDirectories(Folder.Path() + "Tiedot"));
    }
    void TearDown() override
    {
        ClockUseSystem();
        SetExeFolder("");
        FormsTest::TearDown();
    }

    static AnsiString Cp(const char* utf8) { return cp1252::FromUtf8(utf8); }
    static TDateTime At(int year, int month, int day, int hour, int minute)
    {
        return EncodeDate(year, month, day) + EncodeTime(hour, minute, 0, 0);
    }

    AnsiString SettingsPath() const { return Folder.Path() + "QEX.INI"; }
    // Settings lines in UTF-8 source text, stored as Windows-1252 with CR LF.
    void WriteSettings(const std::vector<std::string>& lines) const
    {
        std::string text;
        for (const std::string& line : lines)
            text += cp1252::FromUtf8(line) + "\r\n";
        fixture::WriteBytes(SettingsPath(), text);
    }
    std::string SettingsBytes() const { return FileExists(SettingsPath()) ? ReadWholeFile(SettingsPath()) : ""; }

    // The file as sections in their order, each with its "key=value" lines in their order.
    using SettingsContent = std::vector<std::pair<AnsiString, std::vector<AnsiString>>>;
    SettingsContent ReadSettings() const
    {
        TIniFile ini(SettingsPath());
        TStringList sections;
        ini.ReadSections(sections);
        SettingsContent content;
        for (int i = 0; i < sections.Count(); ++i) {
            TStringList keys;
            ini.ReadSection(sections[i], keys);
            std::vector<AnsiString> lines;
            for (int k = 0; k < keys.Count(); ++k)
                lines.push_back(keys[k] + "=" + ini.ReadString(sections[i], keys[k], ""));
            content.emplace_back(sections[i], lines);
        }
        return content;
    }
    AnsiString Setting(const char* section, const char* key) const
    {
        return TIniFile(SettingsPath()).ReadString(Cp(section), Cp(key), "<absent>");
    }

    // Writes one channel's week (Monday 9.2.2026 first) with the given programmes on one day.
    void WriteChannelDay(int channelCode, int dayIndex, const std::vector<fixture::Programme>& programmes) const
    {
        std::vector<std::vector<fixture::Programme>> week(7);
        for (const fixture::Programme& p : programmes)
            week[static_cast<std::size_t>(dayIndex - 1)].push_back(
                {p.time, cp1252::FromUtf8(p.title), cp1252::FromUtf8(p.description)});
        fixture::WriteWeek(Folder.Path() + "Tiedot/", channelCode, "07", 2026, 2, 9, week);
    }

    // The user's moves in the dual-list chooser: each named item from the right list to the left,
    // one at a time, so they join the left list in this order.
    static void MoveToLeft(TDualListForm& chooser, const std::vector<AnsiString>& names)
    {
        for (const AnsiString& name : names) {
            const int index = chooser.DstList->Items()->IndexOf(name);
            ASSERT_GE(index, 0) << name;
            for (int i = 0; i < chooser.DstList->Count(); ++i)
                chooser.DstList->SetSelected(i, false);
            chooser.DstList->SetItemIndex(index);
            chooser.DstList->SetSelected(index, true);
            chooser.ExclBtnClick(chooser.ExclBtn);
        }
    }

    static std::vector<AnsiString> Items(const TStrings& items)
    {
        std::vector<AnsiString> result;
        for (int i = 0; i < items.Count(); ++i)
            result.push_back(items.Get(i));
        return result;
    }

    fixture::TempFolder Folder;
};
