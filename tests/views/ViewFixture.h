// A program folder in a temporary folder with listing files for Wednesday 11.2.2026 (week 7),
// a settings file written as bytes, the Finnish date names and a fixed clock.
#pragma once
#include "listings/Calendar.h"
#include "listings/ChannelTable.h"
#include "platform/core/Colors.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace views_test {

using fixture::Programme;

constexpr const char* kShownDate = "11.2.2026";

inline TDateTime At(int day, int hour, int minute)
{
    return EncodeDate(2026, 2, day) + EncodeTime(hour, minute, 0, 0);
}

inline TStringList ListOf(const std::vector<AnsiString>& lines)
{
    TStringList list;
    for (const AnsiString& line : lines)
        list.Add(line);
    return list;
}

inline std::vector<AnsiString> LinesOf(const TStrings& list)
{
    std::vector<AnsiString> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

// The table views' TV1 day: four programmes, the last after midnight (beyond half the count, so
// it carries the late-night marker where times sort).
inline const std::vector<Programme> kTableDay = {{"06:00", "Uutiset", "Päivän uutiset"},
                                                 {"07:30", "Aamu-tv", "Aamun ohjelmaa"},
                                                 {"23:30", "Myöhäisuutiset", "Yön uutiset"},
                                                 {"00:30", "Yöelokuva", "Kauhua"}};

// The first lines of every table page, with the test's button face.
inline const std::vector<AnsiString> kPageHead = {
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">)",
    "<HTML>",
    "<HEAD>",
    "  <TITLE>Taulukko</TITLE>",
    R"(  <STYLE TYPE="TEXT/CSS">)",
    "    :link { color:black; text-decoration: none }",
    "    :visited { color:black; text-decoration: none }",
    "    :active { color:black; text-decoration: none }",
    "    :hover { text-decoration: none }",
    "  </STYLE>",
    "</HEAD>",
    "",
    R"(<BODY BGCOLOR="#D4D0C8">)",
    R"(<TABLE BGCOLOR="BLACK" CELLSPACING="0" CELLPADDING="0" BORDER="1">)",
};

inline AnsiString ChannelHeader(const AnsiString& channel, const AnsiString& width)
{
    return R"(    <TD ALIGN="CENTER" BGCOLOR="NAVY" WIDTH=")" + width +
           R"(%"><FONT SIZE="-1" FACE="Verdana" COLOR="WHITE"><B>)" + channel + "</B></FONT></TD>";
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeFolder(folder.Path());
        ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
        SetFinnishDateNames();
        // The button face of the page body follows the desktop's colour.
        SetSystemColorResolver([](int index) { return index == 15 ? 0x00C8D0D4u : 0u; });
        ClockSet(At(11, 10, 0));
    }

    void TearDown() override
    {
        FormatSettings() = saved;
        SetSystemColorResolver(nullptr);
        ClockUseSystem();
        SetExeFolder("");
    }

    // Wednesday's day text of a channel (UTF-8 source text, stored as Windows-1252); the other
    // days of the week are left empty.
    void WriteWednesday(const char* channel, const std::vector<Programme>& programmes)
    {
        std::vector<std::vector<Programme>> week(7);
        for (const Programme& p : programmes)
            week[2].push_back({p.time, cp1252::FromUtf8(p.title), cp1252::FromUtf8(p.description)});
        fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(ChannelCode(channel).c_str()), "07", 2026, 2, 9,
                           week);
    }

    // Raw day text, for lines the programme writer can't make.
    void WriteWednesdayText(const char* channel, const std::string& text)
    {
        int code = std::atoi(ChannelCode(channel).c_str());
        fixture::WriteBytes(folder.Path() + "Tiedot/" + ChannelCode(channel) + "-07.QEX",
                            fixture::FileBytes({{fixture::RecordKey(2026, 2, 11, code), text}}));
    }

    // "QEX.INI" with these lines (UTF-8 source text, stored as Windows-1252).
    void WriteSettings(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += cp1252::FromUtf8(line) + "\r\n";
        fixture::WriteBytes(folder.Path() + "QEX.INI", text);
    }

    fixture::TempFolder folder;
    TFormatSettings saved = FormatSettings();
};

} // namespace views_test
